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

struct TRegistryParseResult {
    std::optional<TRegistryTree> Tree;
    QString Error; // what is wrong and on which line, when Tree is empty
};

TRegistryParseResult ParseRegistryFile(const QByteArray& content, const QString& rootName);
QByteArray FormatRegistryFile(const TRegistryTree& tree, const QString& rootName);
