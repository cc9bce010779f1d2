#include "Registry.h"

#include <QByteArray>

namespace registry {

namespace {

// No registry on this platform: every key is missing.
class NoRegistry final : public Registry {
public:
    long OpenKey(Key, const QString&, std::uint32_t, Key* result) override
    {
        if (result)
            *result = 0;
        return ERROR_FILE_NOT_FOUND;
    }
    long QueryValue(Key, const QString&, std::uint32_t*, char*, std::uint32_t*) override
    {
        return ERROR_INVALID_HANDLE;
    }
    long CloseKey(Key) override { return ERROR_INVALID_HANDLE; }
};

NoRegistry g_none;
Registry* g_current = nullptr;

}  // namespace

void setRegistry(Registry* r) { g_current = r; }
Registry& current() { return g_current ? *g_current : g_none; }

bool GetKeyValue(Key root, const QString& keyName, const QString& valueName, QString& value)
{
    Registry& reg = current();
    Key key = 0;
    bool ok = false;
    if (reg.OpenKey(root, keyName, KEY_ALL_ACCESS_READ, &key) != ERROR_SUCCESS) {
        value.clear();
    } else {
        constexpr std::uint32_t kBufferSize = 1024;
        QByteArray buffer(kBufferSize, '\0');
        std::uint32_t size = kBufferSize;
        std::uint32_t type = 0;
        if (reg.QueryValue(key, valueName, &type, buffer.data(), &size) != ERROR_SUCCESS) {
            value.clear();
        } else {
            QByteArray data = buffer.left(static_cast<int>(qMin(size, kBufferSize)));
            if (!data.isEmpty() && data.endsWith('\0'))
                data.chop(1);
            if (type == REG_SZ) {
                value = QString::fromLocal8Bit(data);
            } else if (type == REG_DWORD) {
                // Little-endian bytes; a cut-off zero byte at the top changes nothing.
                std::uint32_t n = 0;
                for (int i = qMin<int>(data.size(), 4) - 1; i >= 0; --i)
                    n = (n << 8) | static_cast<unsigned char>(data[i]);
                value = QString::number(n);
            }
            ok = true;
        }
    }
    reg.CloseKey(key);
    return ok;
}

}  // namespace registry
