#pragma once

#include "platform/RegistryTree.h"

#include <QByteArray>
#include <QString>

#include <optional>

// The text form of a registry root in the registry-export format:
//   Windows Registry Editor Version 5.00
//   [HKEY_CURRENT_USER\Software\Example]
//   "Text"="a \"quoted\" word"   @="default value"   "Flag"=dword:00000001
//   "Moment"=hex:00,00,00,00,00,00,f0,3f   "Path"=hex(2):25,00,00,00
// Strings that hold control characters are written as hex(1), so every value survives a
// round trip exactly.

// A damaged line costs that line only: every well-formed key and value is kept, a line that
// cannot be read is dropped (and with a key line that cannot be read, the values under it,
// which have no place then).
struct TRegistryParseResult {
    TRegistryTree Tree;
    int DamagedLines = 0; // dropped, or (a key line cut short) read as far as it goes
    QString FirstError;   // what is wrong with the first damaged line, and where
};

TRegistryParseResult ParseRegistryFile(const QByteArray& content, const QString& rootName);
QByteArray FormatRegistryFile(const TRegistryTree& tree, const QString& rootName);
