#pragma once
// The system registry as the about box reads it: open a key, read one value, close
// the key, with the return codes, value types and access mask of the Windows
// registry functions (RegOpenKeyEx, RegQueryValueEx, RegCloseKey). This platform
// has no such registry, so the production registry finds no key; tests install one
// of their own.

#include <QString>
#include <cstdint>

namespace registry {

using Key = std::uint32_t;

constexpr Key HKEY_LOCAL_MACHINE = 0x80000002u;

constexpr long ERROR_SUCCESS = 0;
constexpr long ERROR_FILE_NOT_FOUND = 2;
constexpr long ERROR_INVALID_HANDLE = 6;
constexpr long ERROR_MORE_DATA = 234;

// Value types.
constexpr std::uint32_t REG_SZ = 1;
constexpr std::uint32_t REG_DWORD = 4;

// Standard read rights and all six key-specific rights.
constexpr std::uint32_t KEY_ALL_ACCESS_READ = 0x2003Fu;

class Registry {
public:
    virtual ~Registry() = default;
    // Opens subKey under root with the access mask; on ERROR_SUCCESS *result is the
    // open key.
    virtual long OpenKey(Key root, const QString& subKey, std::uint32_t access, Key* result) = 0;
    // Reads the named value of an open key into data, which holds *size bytes; on
    // return *type is the value's type and *size the number of bytes written.
    virtual long QueryValue(Key key, const QString& valueName, std::uint32_t* type, char* data,
                            std::uint32_t* size) = 0;
    virtual long CloseKey(Key key) = 0;
};

// Installs a registry (tests); nullptr restores the production one, which holds
// nothing. The caller keeps ownership.
void setRegistry(Registry* r);
Registry& current();

// Reads value valueName of key keyName under root. True and the value as text for a
// string or a 32-bit number (in decimal); True and `value` left as passed for any
// other type; False and an empty text when the key or the value cannot be read. The
// key is closed in every case.
bool GetKeyValue(Key root, const QString& keyName, const QString& valueName, QString& value);

}  // namespace registry
