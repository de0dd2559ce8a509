// The in-memory form of a texture-page set's descriptor.xml: which images the
// set holds and from which rectangles of which pages each is cut. Reading is
// what the game does; the editing side builds descriptors for our tools.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

struct cPagePart {
    int page = 0;
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    int offsetX = 0;
    int offsetY = 0;
};

struct cPageImage {
    std::wstring name;
    std::wstring alias;
    int width = 0;
    int height = 0;
    std::vector<cPagePart> parts;
};

class cPageDescriptor {
public:
    cPageDescriptor();
    virtual ~cPageDescriptor();

    // Reads a descriptor from UTF-16 text already widened (no BOM). A length
    // above 0 takes that many characters, otherwise the text is terminated.
    // True only when the XML parses and every rule of the format holds; on
    // false the descriptor keeps what was read before the failure.
    bool Parse(const wchar_t* text, int length);
    void Reset();

    // Page i is page name + i + page extension, with as many digits as the
    // page count needs. Null when index, buffer or capacity do not fit.
    wchar_t* GetPageFileName(int index, wchar_t* buffer, int capacity) const;

    int GetPageCount() const { return m_pageCount; }
    int GetImageCount() const { return static_cast<int>(m_images.size()); }
    const wchar_t* GetImageName(int image) const;
    const wchar_t* GetImageAlias(int image) const;
    int GetPartCount(int image) const;
    int GetPartPage(int image, int part) const;
    bool GetPartRect(int image, int part, int* x, int* y, int* width, int* height) const;
    bool GetPartOffset(int image, int part, int* offsetX, int* offsetY) const;
    bool GetImageSize(int image, int* width, int* height) const;

    // Editing side: tools build descriptors with these.
    int AddImage(const wchar_t* name, int width, int height);
    int AddPart(int image, int page, int x, int y, int width, int height);
    bool SetPartOffset(int image, int part, int offsetX, int offsetY);
    bool SetImageAlias(int image, const wchar_t* alias);
    void SetComment(const wchar_t* text);
    bool GetComment(wchar_t* buffer, int capacity) const;
    bool SetPageNames(const wchar_t* name, const wchar_t* extension);

    // Writing: the file is UTF-16LE with a BOM. SaveToBuffer writes the text
    // as UTF-16LE with a terminating zero and no BOM; when *bytes is too small
    // it fails and sets *bytes to the size needed (2 * length + 2).
    std::wstring GetText() const;
    bool SaveToFile(const std::string& path) const;
    bool SaveToBuffer(uint8_t* buffer, int* bytes) const;
    void SaveToFunction(const std::function<void(const wchar_t* text)>& sink) const;

private:
    bool ParseDocument(const char* text, size_t size);
    const cPagePart* Part(int image, int part) const;

    std::vector<cPageImage> m_images;
    int m_pageCount = 0;
    int m_imageCount = 0;
    std::wstring m_pageName;
    std::wstring m_pageExtension;
    std::wstring m_comment;
};
