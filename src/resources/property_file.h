// Key/value text files (config.cfg, us.txt, the highscore tables, the
// credits): UTF-16LE with a BOM, every key on a line of its own in square
// brackets and its value on the next line. Keys are case-insensitive; values
// are kept as written.
#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "resources/file.h"

// The growable read buffer of 16-bit units that every parse shares. Running
// out of memory throws the text "dyn_array: Insufficient memory".
class dyn_array {
public:
    static dyn_array& Shared();
    ~dyn_array();

    // Capacity becomes n rounded up to a multiple of 4 units.
    void Resize(size_t n);
    // Grows the buffer when i is beyond it; the address of unit i.
    uint16_t* At(size_t i);
    size_t Capacity() const { return m_capacity; }
    // Frees the buffer; the next use grows it again.
    void Release();

private:
    uint16_t* m_data = nullptr;
    size_t m_capacity = 0;
    size_t m_count = 0;
};

class PropertyFile {
public:
    PropertyFile() = default;
    virtual ~PropertyFile() = default;

    // save false: read the path through the file manager. save true: write
    // every entry (BOM, then "[key]" and value lines) whole, replacing the old
    // file only once the new one is on disk; an empty store writes nothing.
    bool Serialize(const std::wstring& path, bool save);

    // Read a file from the file manager and give it back to it. A flag of
    // true reads nothing and fails.
    bool Parse(iFile* file, bool flag = false);
    // Player files: the bytes as the game writes them (see Bytes). True when
    // they are exactly that; otherwise false, with whatever the lenient reader
    // makes of them in the entries.
    bool ParseExact(const std::vector<uint8_t>& bytes);
    // The lenient reading of Parse, on text without its BOM.
    void ParseText(const std::wstring& text);
    // The whole file as Serialize writes it.
    std::vector<uint8_t> Bytes() const;

    // Values run from the key line to the next '#', line breaks included. The
    // caller gives the file back.
    bool ParseHashTerminated(iFile* file, bool flag = false);
    // Keys are the lines after line breaks: a key line loses its last
    // character (the CR) and its brackets; its value runs to the next '['
    // and loses its last two characters (the CR LF). The caller gives the
    // file back.
    bool ParseMultiline(iFile* file, bool flag = false);

    void Clear() { m_entries.clear(); }
    void SetString(const std::wstring& key, const std::wstring& value, bool append = false);
    void SetInt(const std::wstring& key, int value, bool append = false);
    void SetFloat(const std::wstring& key, float value, bool append = false);

    bool HasKey(const std::wstring& key);
    const std::wstring& GetString(const std::wstring& key);
    int GetInt(const std::wstring& key, int defaultValue);
    float GetFloat(const std::wstring& key, float defaultValue);

    // Empty pieces are skipped; a missing key or an empty value gives an
    // empty list. Values of any length are cut whole.
    std::vector<std::wstring> GetStringList(const std::wstring& key); // tab , ;
    std::vector<std::wstring> GetLineList(const std::wstring& key);   // CR LF
    std::vector<int> GetIntList(const std::wstring& key);             // space tab , ;
    std::vector<float> GetFloatList(const std::wstring& key);

    const std::map<std::wstring, std::wstring>& Entries() const { return m_entries; }

private:
    std::map<std::wstring, std::wstring> m_entries;
    std::wstring m_default; // what GetString gives for a missing key
    std::map<std::wstring, std::wstring>::const_iterator m_current;
};
