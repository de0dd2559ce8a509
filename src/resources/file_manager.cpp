#include "resources/file_manager.h"

#include <cstdint>
#include <sys/stat.h>

#include "platform/file_access.h"
#include "resources/log.h"
#include "resources/text.h"

namespace {

std::wstring WithTrailingSlash(std::wstring path)
{
    if (path.empty() || path.back() != L'/')
        path.push_back(L'/');
    return path;
}

bool ExistsOnDisk(const std::wstring& path)
{
    platform::NoteFileAccess();
    struct stat st { };
    return ::stat(resources::ToNativePath(path).c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

} // namespace

cFileManager& cFileManager::Instance()
{
    static cFileManager manager;
    return manager;
}

cFileManager::~cFileManager()
{
    // Files still handed out at exit: package entries close with their
    // packages, disk files are freed here.
    for (auto& [file, owner] : m_owners) {
        if (!owner)
            delete file;
    }
}

bool cFileManager::IsAbsolutePath(const std::wstring& path)
{
    return resources::IsAbsolute(path);
}

iFile* cFileManager::OpenFromDisk(const std::wstring& path)
{
    return resources::OpenWholeFile(path);
}

std::wstring cFileManager::AliasedPath(const std::wstring& path) const
{
    std::wstring target;
    if (FindAlias(resources::LowerCase(path), target))
        return target;
    return resources::NormalisePath(path);
}

iFile* cFileManager::Open(const std::wstring& packagePath, const std::wstring& fileName)
{
    std::wstring fileKey;
    if (!FindAlias(resources::LowerCase(fileName), fileKey))
        fileKey = resources::PackageEntryKey(fileName);
    std::wstring packageKey = resources::NormalisePath(packagePath);
    while (packageKey.size() > 1 && packageKey.back() == L'/')
        packageKey.pop_back();

    for (PackageEntry& entry : m_packages) {
        if (entry.path != packageKey)
            continue;
        iFile* file = entry.package.OpenEntry(fileKey);
        if (file) {
            m_owners[file] = &entry;
            ++entry.references;
        }
        return file;
    }

    m_packages.emplace_back();
    PackageEntry& entry = m_packages.back();
    if (!entry.package.Open(packageKey)) {
        m_packages.pop_back();
        // The loose folder beside the package: data/language.pkg -> data/language/.
        std::wstring folder = packageKey;
        if (folder.size() >= 4 && folder.compare(folder.size() - 4, 4, L".pkg") == 0)
            folder.resize(folder.size() - 4);
        return OpenFile(folder + L"/" + fileKey);
    }
    if (!entry.package.HasEntry(fileKey)) {
        cLog::Instance().Error(
            L"cFileManager::Open -> Unable to find \"%ls\" in package \"%ls\".", fileKey.c_str(), packageKey.c_str());
        m_packages.pop_back();
        return nullptr;
    }
    iFile* file = entry.package.OpenEntry(fileKey);
    if (!file) {
        m_packages.pop_back();
        return nullptr;
    }
    entry.path = packageKey;
    entry.references = 1;
    m_owners[file] = &entry;
    return file;
}

iFile* cFileManager::OpenFile(const std::wstring& path)
{
    const std::wstring used = AliasedPath(path);
    iFile* file = OpenFromDisk(used);
    if (!file && !IsAbsolutePath(used)) {
        for (const std::wstring& folder : m_searchPaths) {
            file = OpenFromDisk(folder + used);
            if (file)
                break;
        }
    }
    if (file)
        m_owners[file] = nullptr;
    return file;
}

void cFileManager::Release(iFile* file)
{
    if (!file)
        return;
    const auto it = m_owners.find(file);
    if (it == m_owners.end()) {
        // Not ours: freeing it could free what another owner still uses.
        cLog::Instance().Warning(L"cFileManager::Release -> trying to release unmanaged resource @0x%04x.",
            static_cast<unsigned>(reinterpret_cast<uintptr_t>(file)));
        return;
    }
    PackageEntry* owner = it->second;
    m_owners.erase(it);
    if (!owner) {
        delete file;
        return;
    }
    owner->package.ReleaseFile(file);
    if (owner->references > 0 && --owner->references == 0)
        m_packages.remove_if([owner](const PackageEntry& e) { return &e == owner; });
}

bool cFileManager::AddSearchPath(const std::wstring& folder)
{
    const std::wstring path = WithTrailingSlash(resources::NormalisePath(folder));
    for (const std::wstring& existing : m_searchPaths) {
        if (existing == path)
            return false;
    }
    m_searchPaths.push_back(path);
    return true;
}

bool cFileManager::RemoveSearchPath(const std::wstring& folder)
{
    const std::wstring path = WithTrailingSlash(resources::NormalisePath(folder));
    for (auto it = m_searchPaths.begin(); it != m_searchPaths.end(); ++it) {
        if (*it == path) {
            m_searchPaths.erase(it);
            return true;
        }
    }
    return false;
}

bool cFileManager::AddAlias(const std::wstring& name, const std::wstring& target)
{
    if (target.empty())
        return true;
    m_aliases[resources::LowerCase(name)] = resources::NormalisePath(target);
    return true;
}

bool cFileManager::RemoveAlias(const std::wstring& name)
{
    return m_aliases.erase(resources::LowerCase(name)) != 0;
}

bool cFileManager::FindAlias(const std::wstring& lowerCasedName, std::wstring& target) const
{
    const auto it = m_aliases.find(lowerCasedName);
    if (it == m_aliases.end())
        return false;
    target = it->second;
    return true;
}

std::wstring cFileManager::ResolvePath(const std::wstring& path) const
{
    const std::wstring used = AliasedPath(path);
    if (ExistsOnDisk(used))
        return used;
    if (IsAbsolutePath(used))
        return {};
    for (const std::wstring& folder : m_searchPaths) {
        if (ExistsOnDisk(folder + used))
            return folder + used;
    }
    return {};
}

uint32_t cFileManager::PackageReferences(const std::wstring& packagePath) const
{
    std::wstring key = resources::NormalisePath(packagePath);
    for (const PackageEntry& entry : m_packages) {
        if (entry.path == key)
            return entry.references;
    }
    return 0;
}
