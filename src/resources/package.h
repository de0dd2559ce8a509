// Package archives (".pkg"): many named entries in one file, stored raw or
// zlib-compressed, with a directory at the end that may be TEA-enciphered.
// The reader hands entries out as iFile objects; the writer builds and
// rewrites packages (our own data/language.pkg, and test fixtures).
//
// Every size, offset, count and name length read from a package is checked
// against the file before it is used; a damaged package or entry is refused
// with a log line, never read out of bounds.
#pragma once

#include <cstdint>
#include <list>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "resources/file.h"
#include "resources/package_format.h"

class cPackage {
public:
    struct EntryInfo {
        uint32_t crc = 0;
        uint16_t attributes = 0;
        uint32_t time = 0;
        uint32_t storedSize = 0;
        uint32_t unpackedSize = 0;
        std::wstring name; // as stored
    };

    cPackage() = default;
    ~cPackage();
    cPackage(const cPackage&) = delete;
    cPackage& operator=(const cPackage&) = delete;

    // Opening the package already open (in any case or separator) is a no-op.
    bool Open(const std::wstring& path);
    // Frees every entry still handed out and commits a pending rewrite.
    void Close();
    bool IsOpen() const { return m_source || m_output; }

    // Names are matched lower-cased with either separator.
    bool HasEntry(const std::wstring& name) const;
    // Null for a missing name, a directory entry or an entry whose bytes lie
    // outside the package. A stored entry is a view into the package and must
    // be released before the package closes.
    iFile* OpenEntry(const std::wstring& name);
    // Frees a file handed out by OpenEntry; any other pointer is left alone.
    void ReleaseFile(iFile* file);
    size_t OpenFileCount() const { return m_openFiles.size(); }

    // The record is overwritten by the next call.
    const EntryInfo* GetEntryInfo(const std::wstring& name);
    bool GetHeader(uint8_t* destination) const; // 32 bytes
    bool ListEntries(std::vector<EntryInfo>& list) const;
    // Recompute an entry's CRC-32 and compare it with its record.
    bool VerifyEntry(const std::wstring& name);
    bool VerifyAll();

    // Writer. Create starts a new, empty package at path (written on Commit
    // or Close). The Add calls fail on a name already present; the name
    // defaults to the path. Changes to an open package go through a rewrite
    // into a temporary file that replaces the package by rename.
    bool Create(const std::wstring& path);
    bool AddFile(const std::wstring& path) { return AddFileAs(path, path); }
    bool AddFileAs(const std::wstring& path, const std::wstring& name) { return Add(path, name, false); }
    bool AddFileStored(const std::wstring& path) { return AddFileAsStored(path, path); }
    bool AddFileAsStored(const std::wstring& path, const std::wstring& name) { return Add(path, name, true); }
    bool RemoveEntry(const std::wstring& name);
    int RemoveEntries(const std::vector<std::wstring>& names); // count removed, or -1
    bool RenameEntry(const std::wstring& oldName, const std::wstring& newName);
    bool BeginRewrite();
    bool Commit();

private:
    using Record = package_format::Record;

    bool Load();
    bool ReadDirectory();
    bool EntryIsSound(const std::wstring& key, const Record& record) const;
    bool Add(const std::wstring& path, const std::wstring& name, bool stored);
    bool OpenTemporary();
    bool WriteDirectory();
    bool RewriteNow();
    void CommitPendingFirst();

    package_format::Header m_header;
    std::wstring m_openFolder;     // working directory when the package was opened
    std::list<std::unique_ptr<iFile>> m_openFiles;
    std::map<std::wstring, Record> m_records; // normalised name -> record
    std::map<std::wstring, std::wstring> m_names; // normalised name -> name as stored
    std::unique_ptr<iFile> m_source;
    std::unique_ptr<cStdFile> m_output;
    std::wstring m_path;
    std::wstring m_fullPath;
    std::wstring m_tempPath;
    uint32_t m_nextOffset = 0;
    EntryInfo m_info;
};

namespace resources {
// Entry names: lower-cased, '\' as '/'.
std::wstring PackageEntryKey(const std::wstring& name);
} // namespace resources
