#include "resources/page_descriptor.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <cwchar>
#include <cwctype>

#include <tinyxml2.h>

#include "platform/folders.h"
#include "platform/utf16.h"

namespace Local {

// The document the descriptor is written through; it only adds a way to take
// its printed text.
class XmlDoc : public tinyxml2::XMLDocument {
public:
    std::wstring Text() const
    {
        tinyxml2::XMLPrinter printer;
        Print(&printer);
        return platform::NarrowToWide(std::string_view(printer.CStr(), printer.CStrSize() - 1));
    }
};

} // namespace Local

namespace {

// Page numbers above this would no longer fit the four-digit file names, and a
// huge count read from a broken file would keep the loader opening files.
constexpr int kMaxPageCount = 9999;

// Reads a decimal number from the front of the text the way the runtime's
// string-to-int does: leading blanks, a sign, digits; no digits give 0.
// Values beyond the int range are clamped.
int ReadInt(const char* text)
{
    const char* p = text;
    while (*p == ' ' || (*p >= '\t' && *p <= '\r'))
        ++p;
    bool negative = false;
    if (*p == '+' || *p == '-')
        negative = *p++ == '-';
    long long value = 0;
    for (; *p >= '0' && *p <= '9'; ++p) {
        value = value * 10 + (*p - '0');
        if (value > static_cast<long long>(INT_MAX) + 1)
            value = static_cast<long long>(INT_MAX) + 1;
    }
    if (negative)
        value = -value;
    if (value > INT_MAX)
        value = INT_MAX;
    return static_cast<int>(value);
}

// A required integer attribute; false when it is missing.
bool IntAttribute(const tinyxml2::XMLElement* element, const char* name, int& out)
{
    const char* text = element->Attribute(name);
    if (!text)
        return false;
    out = ReadInt(text);
    return true;
}

bool TextAttribute(const tinyxml2::XMLElement* element, const char* name, std::wstring& out)
{
    const char* text = element->Attribute(name);
    if (!text)
        return false;
    out = platform::NarrowToWide(text);
    return true;
}

// Characters that cannot stand in a page file's name.
bool IsForbiddenInFileName(wchar_t c)
{
    return std::wcschr(L"\\/{}|<>~?*:%", c) != nullptr && c != L'\0';
}

std::wstring StripForbidden(const wchar_t* text)
{
    std::wstring out;
    for (const wchar_t* p = text; *p; ++p) {
        if (!IsForbiddenInFileName(*p))
            out.push_back(*p);
    }
    return out;
}

} // namespace

cPageDescriptor::cPageDescriptor()
{
    Reset();
}

cPageDescriptor::~cPageDescriptor() = default;

void cPageDescriptor::Reset()
{
    m_images.clear();
    m_pageCount = 0;
    m_imageCount = 0;
    m_pageName = L"page";
    m_pageExtension = L".dds";
    m_comment.clear();
}

bool cPageDescriptor::Parse(const wchar_t* text, int length)
{
    Reset();
    if (!text)
        return false;
    const std::wstring_view wide
        = length > 0 ? std::wstring_view(text, static_cast<size_t>(length)) : std::wstring_view(text);
    // The parser reads 8-bit text: the characters go over as UTF-8, and the
    // copy stops at an embedded terminator as the wide text would.
    const std::string narrow = platform::WideToNarrow(wide.substr(0, wide.find(L'\0')));
    return ParseDocument(narrow.c_str(), narrow.size());
}

bool cPageDescriptor::ParseDocument(const char* text, size_t size)
{
    tinyxml2::XMLDocument doc;
    if (doc.Parse(text, size) != tinyxml2::XML_SUCCESS)
        return false;

    const tinyxml2::XMLElement* root = doc.FirstChildElement("page-descriptor");
    if (!root)
        return false;
    const tinyxml2::XMLElement* info = root->FirstChildElement("info");
    if (!info)
        return false;
    if (!IntAttribute(info, "page-count", m_pageCount) || !IntAttribute(info, "image-count", m_imageCount))
        return false;
    if (m_pageCount < 0 || m_pageCount > kMaxPageCount)
        return false;
    if (!TextAttribute(info, "page-name", m_pageName) || m_pageName.empty())
        return false;
    if (!TextAttribute(info, "page-extension", m_pageExtension) || m_pageExtension.empty())
        return false;

    if (const tinyxml2::XMLElement* comment = root->FirstChildElement("comment")) {
        const tinyxml2::XMLNode* first = comment->FirstChild();
        if (first && first->ToText() && first->Value())
            m_comment = platform::NarrowToWide(first->Value());
    }

    for (const tinyxml2::XMLElement* element = root->FirstChildElement("image"); element;
         element = element->NextSiblingElement("image")) {
        cPageImage image;
        int partCount = 0;
        if (!TextAttribute(element, "name", image.name) || !TextAttribute(element, "alias", image.alias))
            return false;
        if (!IntAttribute(element, "width", image.width) || !IntAttribute(element, "height", image.height)
            || !IntAttribute(element, "parts", partCount))
            return false;
        if (image.width == 0 || image.height == 0 || partCount == 0)
            return false;
        m_images.push_back(std::move(image));
        cPageImage& added = m_images.back();

        int read = 0;
        for (const tinyxml2::XMLElement* p = element->FirstChildElement("part"); p; p = p->NextSiblingElement("part")) {
            cPagePart part;
            if (!IntAttribute(p, "page", part.page) || !IntAttribute(p, "x", part.x) || !IntAttribute(p, "y", part.y)
                || !IntAttribute(p, "width", part.width) || !IntAttribute(p, "height", part.height)
                || !IntAttribute(p, "offset-x", part.offsetX) || !IntAttribute(p, "offset-y", part.offsetY))
                return false;
            // Drawing binds the part's page from the set's page list: a page
            // outside the set would index past it.
            if (part.page < 0 || part.page >= m_pageCount)
                return false;
            added.parts.push_back(part);
            ++read;
        }
        if (read != partCount)
            return false;
    }
    return static_cast<int>(m_images.size()) == m_imageCount;
}

wchar_t* cPageDescriptor::GetPageFileName(int index, wchar_t* buffer, int capacity) const
{
    if (index < 0 || index >= m_pageCount || !buffer || capacity <= 0)
        return nullptr;
    const int digits = 1 + (m_pageCount > 10) + (m_pageCount > 100) + (m_pageCount > 1000);
    wchar_t number[16];
    std::swprintf(number, 16, L"%0*i", digits, index);
    const size_t needed = m_pageName.size() + std::wcslen(number) + m_pageExtension.size() + 1;
    if (needed > static_cast<size_t>(capacity))
        return nullptr;
    const std::wstring name = m_pageName + number + m_pageExtension;
    std::wmemcpy(buffer, name.c_str(), name.size() + 1);
    return buffer;
}

const wchar_t* cPageDescriptor::GetImageName(int image) const
{
    if (image < 0 || image >= GetImageCount())
        return nullptr;
    return m_images[image].name.c_str();
}

const wchar_t* cPageDescriptor::GetImageAlias(int image) const
{
    if (image < 0 || image >= GetImageCount())
        return nullptr;
    return m_images[image].alias.c_str();
}

int cPageDescriptor::GetPartCount(int image) const
{
    if (image < 0 || image >= GetImageCount())
        return 0;
    return static_cast<int>(m_images[image].parts.size());
}

const cPagePart* cPageDescriptor::Part(int image, int part) const
{
    if (part < 0 || part >= GetPartCount(image))
        return nullptr;
    return &m_images[image].parts[part];
}

int cPageDescriptor::GetPartPage(int image, int part) const
{
    const cPagePart* p = Part(image, part);
    return p ? p->page : -1;
}

bool cPageDescriptor::GetPartRect(int image, int part, int* x, int* y, int* width, int* height) const
{
    const cPagePart* p = Part(image, part);
    if (!p)
        return false;
    if (x)
        *x = p->x;
    if (y)
        *y = p->y;
    if (width)
        *width = p->width;
    if (height)
        *height = p->height;
    return true;
}

bool cPageDescriptor::GetPartOffset(int image, int part, int* offsetX, int* offsetY) const
{
    const cPagePart* p = Part(image, part);
    if (!p)
        return false;
    if (offsetX)
        *offsetX = p->offsetX;
    if (offsetY)
        *offsetY = p->offsetY;
    return true;
}

bool cPageDescriptor::GetImageSize(int image, int* width, int* height) const
{
    if (image < 0 || image >= GetImageCount())
        return false;
    if (width)
        *width = m_images[image].width;
    if (height)
        *height = m_images[image].height;
    return true;
}

int cPageDescriptor::AddImage(const wchar_t* name, int width, int height)
{
    if (!name || !*name || width < 1 || height < 1)
        return -1;
    for (size_t i = 0; i < m_images.size(); ++i) {
        if (m_images[i].name == name)
            return static_cast<int>(i);
    }
    cPageImage image;
    image.name = name;
    image.width = width;
    image.height = height;
    m_images.push_back(std::move(image));
    return GetImageCount() - 1;
}

int cPageDescriptor::AddPart(int image, int page, int x, int y, int width, int height)
{
    if (image < 0 || image >= GetImageCount() || page < 0 || page >= kMaxPageCount || x < 0 || y < 0 || width < 1
        || height < 1)
        return -1;
    cPageImage& target = m_images[image];
    if (width > target.width || height > target.height)
        return -1;
    for (size_t i = 0; i < target.parts.size(); ++i) {
        const cPagePart& p = target.parts[i];
        if (p.page == page && p.x == x && p.y == y && p.width == width && p.height == height)
            return static_cast<int>(i);
    }
    target.parts.push_back(cPagePart { page, x, y, width, height, 0, 0 });
    if (m_pageCount < page + 1)
        m_pageCount = page + 1;
    return static_cast<int>(target.parts.size()) - 1;
}

bool cPageDescriptor::SetPartOffset(int image, int part, int offsetX, int offsetY)
{
    if (!Part(image, part))
        return false;
    cPagePart& p = m_images[image].parts[part];
    p.offsetX = offsetX;
    p.offsetY = offsetY;
    return true;
}

bool cPageDescriptor::SetImageAlias(int image, const wchar_t* alias)
{
    if (image < 0 || image >= GetImageCount())
        return false;
    m_images[image].alias = alias ? alias : L"";
    return true;
}

void cPageDescriptor::SetComment(const wchar_t* text)
{
    m_comment = text ? text : L"";
}

bool cPageDescriptor::GetComment(wchar_t* buffer, int capacity) const
{
    if (!buffer || capacity <= 0)
        return false;
    const size_t fits = std::min(m_comment.size(), static_cast<size_t>(capacity - 1));
    std::wmemcpy(buffer, m_comment.c_str(), fits);
    buffer[fits] = L'\0';
    return fits == m_comment.size();
}

bool cPageDescriptor::SetPageNames(const wchar_t* name, const wchar_t* extension)
{
    const bool hasName = name && *name;
    const bool hasExtension = extension && *extension;
    if (hasName && name[0] == L'.')
        return false;
    if (!hasName && !hasExtension)
        return true;
    std::wstring newName = m_pageName;
    std::wstring newExtension = m_pageExtension;
    if (hasName) {
        newName = StripForbidden(name);
        if (newName.empty())
            return false;
    }
    if (hasExtension) {
        newExtension = StripForbidden(extension);
        if (newExtension.empty())
            return false;
        if (newExtension[0] != L'.')
            newExtension.insert(newExtension.begin(), L'.');
    }
    m_pageName = newName;
    m_pageExtension = newExtension;
    return true;
}

std::wstring cPageDescriptor::GetText() const
{
    using platform::WideToNarrow;
    Local::XmlDoc doc;
    doc.InsertEndChild(doc.NewDeclaration("xml version=\"1.0\" encoding=\"UTF-16\""));
    tinyxml2::XMLElement* root = doc.NewElement("page-descriptor");
    doc.InsertEndChild(root);

    tinyxml2::XMLElement* info = doc.NewElement("info");
    info->SetAttribute("page-name", WideToNarrow(m_pageName).c_str());
    info->SetAttribute("page-extension", WideToNarrow(m_pageExtension).c_str());
    info->SetAttribute("page-count", m_pageCount);
    info->SetAttribute("image-count", GetImageCount());
    root->InsertEndChild(info);

    if (!m_comment.empty()) {
        tinyxml2::XMLElement* comment = doc.NewElement("comment");
        comment->InsertEndChild(doc.NewText(WideToNarrow(m_comment).c_str()));
        root->InsertEndChild(comment);
    }

    for (const cPageImage& image : m_images) {
        tinyxml2::XMLElement* element = doc.NewElement("image");
        element->SetAttribute("name", WideToNarrow(image.name).c_str());
        element->SetAttribute("alias", WideToNarrow(image.alias).c_str());
        element->SetAttribute("parts", static_cast<int>(image.parts.size()));
        element->SetAttribute("width", image.width);
        element->SetAttribute("height", image.height);
        for (const cPagePart& p : image.parts) {
            tinyxml2::XMLElement* part = doc.NewElement("part");
            part->SetAttribute("page", p.page);
            part->SetAttribute("x", p.x);
            part->SetAttribute("y", p.y);
            part->SetAttribute("width", p.width);
            part->SetAttribute("height", p.height);
            part->SetAttribute("offset-x", p.offsetX);
            part->SetAttribute("offset-y", p.offsetY);
            element->InsertEndChild(part);
        }
        root->InsertEndChild(element);
    }
    return doc.Text();
}

bool cPageDescriptor::SaveToFile(const std::string& path) const
{
    std::vector<uint8_t> bytes = { 0xFF, 0xFE };
    platform::AppendUtf16Le(bytes, GetText());
    return platform::WriteFileAtomic(path, bytes);
}

bool cPageDescriptor::SaveToBuffer(uint8_t* buffer, int* bytes) const
{
    if (!bytes)
        return false;
    std::vector<uint8_t> text = platform::WideToUtf16Le(GetText());
    text.push_back(0);
    text.push_back(0);
    const int needed = static_cast<int>(text.size());
    if (!buffer || *bytes < needed) {
        *bytes = needed;
        return false;
    }
    std::memcpy(buffer, text.data(), text.size());
    *bytes = needed;
    return true;
}

void cPageDescriptor::SaveToFunction(const std::function<void(const wchar_t* text)>& sink) const
{
    if (sink)
        sink(GetText().c_str());
}
