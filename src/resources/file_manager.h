// The one place through which the game opens data files for reading and gives
// them back: entries of package archives (with a loose folder named after the
// package standing in when the package cannot be opened), loose files by path
// or under the search paths, and name aliases.
//
// Every file handed out is given back with Release once parsed. Paths use '/';
// relative paths are lower-cased, absolute ones keep their prefix.
#pragma once

#include <cstdint>
#include <list>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "resources/file.h"
#include "resources/package.h"

class cFileManager {
public:
    static cFileManager& Instance();
    ~cFileManager();
    cFileManager(const cFileManager&) = delete;
    cFileManager& operator=(const cFileManager&) = delete;

    // An entry of a package, or the loose file "<package without .pkg>/<name>"
    // when the package cannot be opened.
    iFile* Open(const std::wstring& packagePath, const std::wstring& fileName);
    // A loose file: the path as given, then (relative paths only) under each
    // search path in the order they were added.
    iFile* OpenFile(const std::wstring& path);
    // Gives a file back; null does nothing, and a pointer this manager did not
    // hand out is logged and left alone.
    void Release(iFile* file);

    bool AddSearchPath(const std::wstring& folder);
    bool RemoveSearchPath(const std::wstring& folder);
    const std::vector<std::wstring>& SearchPaths() const { return m_searchPaths; }

    bool AddAlias(const std::wstring& name, const std::wstring& target);
    bool RemoveAlias(const std::wstring& name);
    bool FindAlias(const std::wstring& lowerCasedName, std::wstring& target) const;

    // The path OpenFile would read, or empty when there is none.
    std::wstring ResolvePath(const std::wstring& path) const;
    static bool IsAbsolutePath(const std::wstring& path);
    static iFile* OpenFromDisk(const std::wstring& path);

    // How many entries of a package are handed out (0 when it is not open).
    uint32_t PackageReferences(const std::wstring& packagePath) const;
    size_t OpenPackageCount() const { return m_packages.size(); }

private:
    cFileManager() = default;

    struct PackageEntry {
        std::wstring path;
        cPackage package;
        uint32_t references = 0;
    };

    std::wstring AliasedPath(const std::wstring& path) const;

    std::map<std::wstring, std::wstring> m_aliases;
    std::vector<std::wstring> m_searchPaths;
    std::list<PackageEntry> m_packages;
    // Owner of each file handed out: its package entry, or null for a disk file.
    std::map<iFile*, PackageEntry*> m_owners;
};
