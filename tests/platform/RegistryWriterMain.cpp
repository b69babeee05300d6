// Writes many values into a settings file, for the tests of concurrent writers.
// Usage: registry_writer FILE PREFIX COUNT
#include "platform/FileRegistryStore.h"

#include <QString>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv)
{
    if (argc != 4)
        return 2;
    TFileRegistryStore store(QString::fromLocal8Bit(argv[1]));
    const QString prefix = QString::fromLocal8Bit(argv[2]);
    const int count = std::atoi(argv[3]);
    const QString key = QStringLiteral("Software\\Shared");
    if (!store.CreateKey(key))
        return 1;
    for (int i = 0; i < count; ++i) {
        if (!store.WriteValue(key, prefix + QString::number(i), TRegistryValue::Dword(static_cast<uint>(i)))) {
            std::fprintf(stderr, "write %d failed\n", i);
            return 1;
        }
    }
    return 0;
}
