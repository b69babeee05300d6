#pragma once

#include <QString>

#include <stdexcept>

// A month-related entry computed a date beyond the year 9999.
class EDateOverflow : public std::runtime_error {
public:
    EDateOverflow();
};

// A day, month and year that form no date (only a damaged file can bring one).
class EInvalidDate : public std::runtime_error {
public:
    EInvalidDate(int year, int month, int day);
};

// An entry file whose content cannot be read, or that cannot be opened or written.
class EEntryFileError : public std::runtime_error {
public:
    // "Invalid entry file: " and what is wrong with it.
    explicit EEntryFileError(const QString& what);
    // The language text of that id, its %s filled with the argument.
    EEntryFileError(quint32 textId, const QString& argument);
    QString Message() const { return QString::fromUtf8(what()); }
};
