#include "resources/page_manager.h"

#include <algorithm>
#include <climits>
#include <cwctype>

#include "engine/gfx.h"
#include "platform/utf16.h"
#include "resources/file_manager.h"
#include "resources/log.h"

namespace {

// The whole content of a file the file manager handed out: every such file
// is held whole in memory; one without data (empty, or an entry that did not
// inflate) has no content.
std::vector<uint8_t> Contents(iFile* file)
{
    const uint8_t* data = file->GetData();
    return data ? std::vector<uint8_t>(data, data + file->GetSize()) : std::vector<uint8_t>();
}

// Rectangles are summed in 64 bits and clamped: offsets and sizes come from a
// file, and no sum of them may overflow.
RECT MakeRect(int64_t left, int64_t top, int64_t right, int64_t bottom)
{
    auto clamp = [](int64_t v) { return static_cast<int32_t>(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX)); };
    return RECT { clamp(left), clamp(top), clamp(right), clamp(bottom) };
}

void SetColor(uint32_t argb)
{
    if (g_pGfx2D)
        g_pGfx2D->SetColor(argb);
}

} // namespace

bool CPageManager::NoCaseLess::operator()(const std::wstring& a, const std::wstring& b) const
{
    const size_t n = std::min(a.size(), b.size());
    for (size_t i = 0; i < n; ++i) {
        const wint_t ca = std::towlower(static_cast<wint_t>(a[i]));
        const wint_t cb = std::towlower(static_cast<wint_t>(b[i]));
        if (ca != cb)
            return ca < cb;
    }
    return a.size() < b.size();
}

CPageManager::CPageManager() = default;

CPageManager::~CPageManager()
{
    Unload();
}

bool CPageManager::Load(const wchar_t* folder)
{
    // A second set behind the first would leave the first set's pages at the
    // indices the new descriptor's parts name.
    Unload();
    const std::wstring base = folder ? folder : L"";
    const std::wstring descriptorPath = base + L"/descriptor.xml";
    cFileManager& files = cFileManager::Instance();
    iFile* file = files.OpenFile(descriptorPath);
    if (!file) {
        cLog::Instance().Error(L"CPageManager::Load - failed to open descriptor: %ls", descriptorPath.c_str());
        return false;
    }
    SetColor(0);
    // The file is UTF-16 whose first code unit is the byte-order mark.
    const std::vector<uint8_t> bytes = Contents(file);
    const std::wstring text = bytes.size() >= 2 ? platform::Utf16LeToWide(bytes.data() + 2, bytes.size() - 2) : L"";
    const bool parsed = !text.empty() && m_descriptor.Parse(text.c_str(), static_cast<int>(text.size()));
    files.Release(file);
    if (!parsed) {
        cLog::Instance().Error(L"CPageManager::Load - unable to parse descriptor: %ls", descriptorPath.c_str());
        SetColor(0xFFFFFFFF);
        return false;
    }

    for (int i = 0; i < m_descriptor.GetPageCount(); ++i) {
        wchar_t name[260];
        if (!m_descriptor.GetPageFileName(i, name, 260)) {
            cLog::Instance().Error(L"CPageManager::Load - error");
            m_pages.emplace_back();
            continue;
        }
        const std::wstring path = base + L"/" + name;
        iFile* page = files.OpenFile(path);
        if (!page) {
            cLog::Instance().Error(L"CPageManager::Load - failed open file: %ls", path.c_str());
            m_pages.emplace_back();
            continue;
        }
        const std::vector<uint8_t> data = Contents(page);
        iGfxTexture* texture = g_pGfx2D && !data.empty()
            ? g_pGfx2D->CreateTextureFromMemory(data.data(), static_cast<uint32_t>(data.size()), 0, 1, 0)
            : nullptr;
        m_pages.emplace_back(texture);
        files.Release(page);
    }

    for (int j = 0; j < m_descriptor.GetImageCount(); ++j) {
        const wchar_t* name = m_descriptor.GetImageName(j);
        const wchar_t* alias = m_descriptor.GetImageAlias(j);
        if (name && *name)
            m_names[name] = j;
        if (alias && *alias)
            m_names[alias] = j;
    }
    SetColor(0xFFFFFFFF);
    return true;
}

void CPageManager::Unload()
{
    m_pages.clear();
    m_names.clear();
    m_descriptor.Reset();
}

int CPageManager::Find(const wchar_t* name) const
{
    if (!name || !*name || m_names.empty())
        return -1;
    const auto it = m_names.find(name);
    return it == m_names.end() ? -1 : it->second;
}

bool CPageManager::HasImage(const wchar_t* name) const
{
    return Find(name) >= 0;
}

void CPageManager::GetImageSize(const wchar_t* name, uint32_t* width, uint32_t* height) const
{
    const int image = Find(name);
    for (int p = 0; image >= 0 && p < m_descriptor.GetPartCount(image); ++p) {
        int w = 0, h = 0;
        m_descriptor.GetPartRect(image, p, nullptr, nullptr, &w, &h);
        if (width)
            *width = static_cast<uint32_t>(w);
        if (height)
            *height = static_cast<uint32_t>(h);
    }
}

iGfxTexture* CPageManager::PageTexture(int page) const
{
    return page >= 0 && page < static_cast<int>(m_pages.size()) ? m_pages[page].get() : nullptr;
}

void CPageManager::DrawParts(int image, int x, int y, int width, int height, bool centre)
{
    for (int p = 0; p < m_descriptor.GetPartCount(image); ++p) {
        int px = 0, py = 0, pw = 0, ph = 0, ox = 0, oy = 0;
        m_descriptor.GetPartRect(image, p, &px, &py, &pw, &ph);
        m_descriptor.GetPartOffset(image, p, &ox, &oy);
        if (width != 0 || height != 0) {
            pw = width;
            ph = height;
        }
        const int64_t left = static_cast<int64_t>(x) + ox, top = static_cast<int64_t>(y) + oy;
        const RECT source = MakeRect(px, py, static_cast<int64_t>(px) + pw, static_cast<int64_t>(py) + ph);
        const RECT target = MakeRect(left, top, left + pw, top + ph);
        g_pGfx2D->SetTexture(PageTexture(m_descriptor.GetPartPage(image, p)));
        if (centre)
            g_pGfx2D->DrawTexture(
                &source, &target, static_cast<float>(left + pw / 2), static_cast<float>(top + ph / 2));
        else
            g_pGfx2D->DrawTexture(&source, &target, 0.0f, 0.0f);
    }
}

void CPageManager::DrawImage(const wchar_t* name, int x, int y, int width, int height, int r, int g, int b, int a)
{
    const int image = Find(name);
    if (image < 0 || !g_pGfx2D)
        return;
    g_pGfx2D->SetColor(MakeARGB(a, r, g, b));
    DrawParts(image, x, y, width, height, false);
}

void CPageManager::DrawImageD(const wchar_t* name, int x, int y, int width, int height)
{
    const int image = Find(name);
    if (image < 0 || !g_pGfx2D)
        return;
    DrawParts(image, x, y, width, height, false);
}

void CPageManager::DrawImageE(
    const wchar_t* name, int x, int y, int width, int height, int r, int g, int b, int a, float /*extra*/)
{
    const int image = Find(name);
    if (image < 0 || !g_pGfx2D)
        return;
    g_pGfx2D->SetColor(MakeARGB(a, r, g, b));
    DrawParts(image, x, y, width, height, true);
}

void CPageManager::DrawImageScaled(const wchar_t* name, int x, int y, int width, int height, int r, int g, int b, int a)
{
    const int image = Find(name);
    if (image < 0 || !g_pGfx2D)
        return;
    g_pGfx2D->SetColor(MakeARGB(a, r, g, b));
    const RECT target = MakeRect(x, y, static_cast<int64_t>(x) + width, static_cast<int64_t>(y) + height);
    for (int p = 0; p < m_descriptor.GetPartCount(image); ++p) {
        int px = 0, py = 0, pw = 0, ph = 0;
        m_descriptor.GetPartRect(image, p, &px, &py, &pw, &ph);
        const RECT source = MakeRect(px, py, static_cast<int64_t>(px) + pw, static_cast<int64_t>(py) + ph);
        g_pGfx2D->SetTexture(PageTexture(m_descriptor.GetPartPage(image, p)));
        g_pGfx2D->DrawTexture(&source, &target, 0.0f, 0.0f);
    }
}

void CPageManager::DrawImageC(const wchar_t* name, int x1, int y1, int x2, int y2)
{
    const int image = Find(name);
    if (image < 0 || !g_pGfx2D)
        return;
    for (int p = 0; p < m_descriptor.GetPartCount(image); ++p) {
        int px = 0, py = 0, pw = 0, ph = 0;
        m_descriptor.GetPartRect(image, p, &px, &py, &pw, &ph);
        // A part of no size has no proportions to keep (and would divide by 0).
        if (pw <= 0 || ph <= 0)
            continue;
        const int64_t boxW = static_cast<int64_t>(x2) - x1, boxH = static_cast<int64_t>(y2) - y1;
        int64_t w, h;
        if (pw > ph) {
            w = boxW;
            h = boxH * ph / pw;
        } else {
            h = boxH;
            w = boxW * pw / ph;
        }
        const RECT source = MakeRect(px, py, static_cast<int64_t>(px) + pw, static_cast<int64_t>(py) + ph);
        const RECT target = MakeRect(x1, y1, x1 + w, y1 + h);
        g_pGfx2D->SetTexture(PageTexture(m_descriptor.GetPartPage(image, p)));
        g_pGfx2D->DrawTexture(&source, &target, 0.0f, 0.0f);
    }
}
