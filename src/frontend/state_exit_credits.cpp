// The credits: credits.txt of the language, its CREDITS value cut into lines,
// and the two columns drawn over the background picture and under the frame.
#include <string>

#include "app/game_app_fonts.h"
#include "engine/gfx.h"
#include "frontend/state_exit.h"
#include "platform/time_source.h"
#include "resources/file.h"
#include "resources/file_manager.h"
#include "resources/log.h"
#include "resources/property_file.h"
#include "world/settings.h"

namespace {

struct Pictures {
    const wchar_t* background;
    const wchar_t* frame;
};

// The folder of the pictures: a loose file there is drawn as it is, else the
// image of that file's name in the folder's page set.
constexpr const wchar_t* kPictureFolder = L"data/gui/menu/images";

// Our pictures are PNG files under the names of the screen widths.
Pictures PicturesOfWidth(int width)
{
    if (width == 1024)
        return { L"data/gui/menu/images/main.png", L"data/gui/menu/images/first_over_1024.png" };
    if (width == 1280)
        return { L"data/gui/menu/images/main2.png", L"data/gui/menu/images/first_over_1280.png" };
    return { L"data/gui/menu/images/main3.png", L"data/gui/menu/images/first_over_1600.png" };
}

std::wstring FileName(const wchar_t* path)
{
    const std::wstring whole = path;
    return whole.substr(whole.rfind(L'/') + 1);
}

} // namespace

std::vector<std::wstring> cStateExit::SplitLines(const std::wstring& text)
{
    std::vector<std::wstring> result;
    size_t start = 0;
    // The value begins right after the key's line; the line feed that ends
    // that line opens no row of its own.
    if (!text.empty() && text[0] == L'\n')
        start = 1;
    for (size_t i = start; i < text.size(); ++i) {
        if (text[i] != L'\n')
            continue;
        size_t end = i;
        // Only a carriage return is cut with the line feed, so a file with
        // bare line feeds keeps the last letter of each line.
        if (end > start && text[end - 1] == L'\r')
            --end;
        if (static_cast<int>(result.size()) < kMaxLines)
            result.push_back(text.substr(start, std::min<size_t>(end - start, kLineLength)));
        start = i + 1;
    }
    return result;
}

iGfxTexture* cStateExit::LoadPicture(const wchar_t* path)
{
    cFileManager& files = cFileManager::Instance();
    iFile* file = files.OpenFile(path);
    if (!file)
        return nullptr;
    iGfxTexture* texture = nullptr;
    if (g_pGfx2D && file->GetData() && file->GetSize() > 0) {
        g_pGfx2D->SetColor(0);
        texture = g_pGfx2D->CreateTextureFromMemory(file->GetData(), file->GetSize(), 0, 1, 0);
        g_pGfx2D->SetColor(MakeARGB(255, 255, 255, 255));
    }
    files.Release(file);
    return texture;
}

void cStateExit::LoadCredits()
{
    const cSettings& settings = cSettings::Instance();
    scrollY = settings.GetHeight();
    lastStep = platform::NowMilliseconds();
    lines.clear();
    creditsText.clear();

    const std::wstring language = settings.languageCode;
    cFileManager& files = cFileManager::Instance();
    iFile* file = files.Open(L"data/language.pkg", language + L"/credits.txt");
    if (!file) {
        cLog::Instance().Error(L"Not found credits.txt");
        return;
    }
    PropertyFile credits;
    const bool parsed = credits.ParseHashTerminated(file);
    files.Release(file);
    if (!parsed) {
        cLog::Instance().Error(L"Can't find file credits.txt");
        return;
    }
    creditsText = credits.GetString(L"CREDITS").substr(0, kTextLength);
    lines = SplitLines(creditsText);

    ReleaseTextures();
    const Pictures pictures = PicturesOfWidth(settings.GetWidth());
    background = LoadPicture(pictures.background);
    frame = LoadPicture(pictures.frame);
    backgroundName = FileName(pictures.background);
    frameName = FileName(pictures.frame);
    if (!background || !frame)
        pictureSetLoaded = pictureSet.Load(kPictureFolder);
}

void cStateExit::DrawPicture(iGfxTexture* texture, const std::wstring& name, int w, int h)
{
    if (texture && g_pGfx2D) {
        const RECT target { 0, 0, w, h };
        g_pGfx2D->SetTexture(texture);
        g_pGfx2D->DrawTexture(nullptr, &target, 0.0f, 0.0f);
    } else if (!texture && pictureSetLoaded) {
        pictureSet.DrawImageScaled(name.c_str(), 0, 0, w, h, 255, 255, 255, 255);
    }
}

bool cStateExit::DrawCredits()
{
    const cSettings& settings = cSettings::Instance();
    const int w = settings.GetWidth();
    const int h = settings.GetHeight();
    if (g_pGfxDevice) {
        g_pGfxDevice->Clear(0, nullptr, GFX_CLEAR_TARGET, 0, 0.0f, 0);
        g_pGfxDevice->BeginScene();
        g_pGfxDevice->Clear(0, nullptr, GFX_CLEAR_ALL, 0, 0.0f, 0);
    }
    if (g_pGfx2D) {
        g_pGfx2D->ResetState(2.0f);
        g_pGfx2D->SetDrawMode(9);
        g_pGfx2D->SetColor(MakeARGB(255, 255, 255, 255));
    }
    DrawPicture(background, backgroundName, w, h);

    const int count = static_cast<int>(lines.size());
    for (int i = 0; i < count; ++i) {
        const std::wstring& line = lines[i];
        if (!line.empty() && line[0] == L'#')
            break;
        if (!g_pGfx2D || !g_fontNormal2)
            continue;
        SIZE size {};
        g_fontNormal2->MeasureText(line.c_str(), &size);
        // A line that begins with a space is the right column of the row
        // above; any other is the left column, right-aligned to the middle.
        const bool right = !line.empty() && line[0] == L' ';
        const int x = right ? w / 2 + 10 : w / 2 - size.cx - 10;
        const int y = scrollY + kRowHeight * (right ? i - 1 : i);
        g_pGfx2D->DrawTextAlt(g_fontNormal2, x, y, line.c_str(), 0);
    }

    DrawPicture(frame, frameName, w, h);
    return count * kRowHeight + scrollY > 0;
}
