// A minimal XML output stream: open a file, open and close elements on a
// stack, write text and values. Streams are addressed by integer handles; -1
// means none.
//
// After every write the end tags of the elements still open follow on disk
// (the next write goes over them), so the file is well-formed XML at any
// moment, even when the program dies mid-run. Text is escaped.
#pragma once

#include <cstdint>
#include <string>

// The folder the streams' files go to (the per-user folder); empty means the
// working directory.
void XmlStreamSetFolder(const std::wstring& folder);

// The file "<folder>/<name lower-cased>", recreated, with the declaration and
// the stylesheet instruction (when one is named). A name already open gives
// its handle back without writing anything.
int XmlStreamOpen(const std::wstring& name, const std::wstring& stylesheet);
bool XmlStreamOpenElement(int handle, const std::wstring& name);
bool XmlStreamWriteText(int handle, const std::wstring& text);
bool XmlStreamWriteInt(int handle, int value);
bool XmlStreamWriteBool(int handle, bool value);
bool XmlStreamWriteHex(int handle, uint32_t value);
bool XmlStreamWriteByteHex(int handle, uint8_t value);
bool XmlStreamWriteChar(int handle, wchar_t value);
bool XmlStreamWritePointer(int handle, const void* value);
bool XmlStreamWriteFloat(int handle, float value);
bool XmlStreamWriteDouble(int handle, double value);
bool XmlStreamCloseElement(int handle);
// Closes every open element and forgets the stream; its handle may be reused.
bool XmlStreamClose(int handle);

namespace resources {
// '<', '>' and '&' as entities; characters XML cannot hold become U+FFFD.
std::wstring XmlEscape(const std::wstring& text);
} // namespace resources
