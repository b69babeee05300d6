// Settings files from arbitrary bytes: whatever the lines hold, what can be read of them is kept,
// and writing that out gives a file that reads back whole and the same.
#include "FuzzSupport.h"

#include "platform/RegistryFileFormat.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QString root = QStringLiteral("HKEY_CURRENT_USER");
    const TRegistryParseResult parsed = ParseRegistryFile(FuzzBytes(data, size), root);
    const QByteArray written = FormatRegistryFile(parsed.Tree, root);
    const TRegistryParseResult reread = ParseRegistryFile(written, root);
    if (reread.DamagedLines != 0 || FormatRegistryFile(reread.Tree, root) != written)
        std::abort(); // what was kept must survive its own round trip
    return 0;
}
