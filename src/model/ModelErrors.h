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

// An entry file whose content cannot be read.
class EEntryFileError : public std::runtime_error {
public:
    explicit EEntryFileError(const QString& what);
    QString Message() const { return QString::fromUtf8(what()); }
};
