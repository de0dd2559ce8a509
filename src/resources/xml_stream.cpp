#include "resources/xml_stream.h"

#include <charconv>
#include <cstdio>
#include <cwchar>
#include <memory>
#include <unistd.h>
#include <vector>

#include "platform/utf16.h"
#include "resources/file.h"
#include "resources/text.h"

namespace {

struct StreamRecord {
    std::wstring path;
    std::shared_ptr<cStdFile> file;
    std::vector<std::wstring> elements;
};

// Never destroyed: whatever logs during static destruction still finds its
// stream, and every write already left the file well-formed.
std::vector<std::unique_ptr<StreamRecord>>& Streams()
{
    static auto* streams = new std::vector<std::unique_ptr<StreamRecord>>;
    return *streams;
}

std::wstring& Folder()
{
    static auto* folder = new std::wstring;
    return *folder;
}

StreamRecord* Find(int handle)
{
    auto& streams = Streams();
    if (handle < 0 || static_cast<size_t>(handle) >= streams.size())
        return nullptr;
    return streams[static_cast<size_t>(handle)].get();
}

std::wstring EndTag(const std::wstring& name)
{
    return L"</" + name + L">\n";
}

// Writes text at the stream's position, then the end tags of every open
// element, and steps back over them so the next write replaces them.
bool Emit(StreamRecord& s, const std::wstring& text)
{
    std::wstring trailer;
    for (auto it = s.elements.rbegin(); it != s.elements.rend(); ++it)
        trailer += EndTag(*it);
    std::vector<uint8_t> bytes = platform::WideToUtf16Le(text);
    const size_t textBytes = bytes.size();
    platform::AppendUtf16Le(bytes, trailer);
    if (bytes.empty())
        return true;
    uint32_t written = 0;
    const uint32_t units = static_cast<uint32_t>(bytes.size() / 2);
    const bool ok = s.file->Write(bytes.data(), units, 2, &written) && written == units;
    const uint32_t back = static_cast<uint32_t>(bytes.size() - textBytes);
    const bool rewound = s.file->Seek(-static_cast<int32_t>(back), 1);
    return ok && rewound;
}

bool Emit(int handle, const std::wstring& text)
{
    StreamRecord* s = Find(handle);
    return s && Emit(*s, text);
}

bool IsXmlChar(uint32_t c)
{
    return c == 0x9 || c == 0xA || c == 0xD || (c >= 0x20 && c <= 0xD7FF) || (c >= 0xE000 && c <= 0xFFFD)
        || (c >= 0x10000 && c <= 0x10FFFF);
}

} // namespace

namespace resources {

std::wstring XmlEscape(const std::wstring& text)
{
    std::wstring out;
    out.reserve(text.size());
    for (wchar_t c : text) {
        switch (c) {
        case L'<': out += L"&lt;"; break;
        case L'>': out += L"&gt;"; break;
        case L'&': out += L"&amp;"; break;
        default: out.push_back(IsXmlChar(static_cast<uint32_t>(c)) ? c : L'\xFFFD');
        }
    }
    return out;
}

} // namespace resources

void XmlStreamSetFolder(const std::wstring& folder)
{
    Folder() = folder;
}

int XmlStreamOpen(const std::wstring& name, const std::wstring& stylesheet)
{
    std::wstring path = Folder();
    if (!path.empty() && path.back() != L'/')
        path += L'/';
    path += resources::LowerCase(name);

    auto& streams = Streams();
    for (size_t i = 0; i < streams.size(); ++i) {
        if (streams[i] && streams[i]->path == path)
            return static_cast<int>(i);
    }
    ::unlink(resources::ToNativePath(path).c_str()); // each run starts a new file
    auto file = std::make_shared<cStdFile>();
    if (!file->Open(path, true))
        return -1;
    auto record = std::make_unique<StreamRecord>();
    record->path = path;
    record->file = file;
    std::wstring head = L"\xFEFF<?xml version=\"1.0\" encoding=\"UTF-16\" ?>\n";
    if (!stylesheet.empty())
        head += L"<?xml-stylesheet type=\"text/xsl\" href=\"" + resources::XmlEscape(stylesheet) + L"\" ?>\n";
    Emit(*record, head);

    // A closed stream leaves a free slot behind.
    for (size_t i = 0; i < streams.size(); ++i) {
        if (!streams[i]) {
            streams[i] = std::move(record);
            return static_cast<int>(i);
        }
    }
    streams.push_back(std::move(record));
    return static_cast<int>(streams.size() - 1);
}

bool XmlStreamOpenElement(int handle, const std::wstring& name)
{
    StreamRecord* s = Find(handle);
    if (!s || !Emit(*s, L"<" + name + L">"))
        return false;
    s->elements.push_back(name);
    // Write the trailer again, now with this element's end tag in it.
    return Emit(*s, L"");
}

bool XmlStreamWriteText(int handle, const std::wstring& text)
{
    return Emit(handle, resources::XmlEscape(text));
}

bool XmlStreamWriteInt(int handle, int value)
{
    return Emit(handle, std::to_wstring(value));
}

bool XmlStreamWriteBool(int handle, bool value)
{
    return Emit(handle, value ? L"true" : L"false");
}

bool XmlStreamWriteHex(int handle, uint32_t value)
{
    wchar_t text[16];
    std::swprintf(text, 16, L"0x%x", value);
    return Emit(handle, text);
}

bool XmlStreamWriteByteHex(int handle, uint8_t value)
{
    return XmlStreamWriteHex(handle, value);
}

bool XmlStreamWriteChar(int handle, wchar_t value)
{
    return Emit(handle, resources::XmlEscape(std::wstring(1, value)));
}

bool XmlStreamWritePointer(int handle, const void* value)
{
    wchar_t text[32];
    std::swprintf(text, 32, L"0x%08lx", static_cast<unsigned long>(reinterpret_cast<uintptr_t>(value)));
    return Emit(handle, text);
}

bool XmlStreamWriteFloat(int handle, float value)
{
    // Eight significant digits, '.' as the point whatever the locale.
    char text[48];
    const auto end = std::to_chars(text, text + sizeof text, value, std::chars_format::general, 8).ptr;
    return Emit(handle, std::wstring(text, end));
}

bool XmlStreamWriteDouble(int handle, double value)
{
    // As "%e": six decimals and an exponent of at least two digits.
    char text[64];
    const auto end = std::to_chars(text, text + sizeof text, value, std::chars_format::scientific, 6).ptr;
    return Emit(handle, std::wstring(text, end));
}

bool XmlStreamCloseElement(int handle)
{
    StreamRecord* s = Find(handle);
    if (!s || s->elements.empty())
        return false;
    const std::wstring name = s->elements.back();
    s->elements.pop_back();
    return Emit(*s, EndTag(name));
}

bool XmlStreamClose(int handle)
{
    StreamRecord* s = Find(handle);
    if (!s)
        return false;
    bool ok = true;
    while (!s->elements.empty())
        ok = XmlStreamCloseElement(handle) && ok;
    Streams()[static_cast<size_t>(handle)].reset();
    return ok;
}
