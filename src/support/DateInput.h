#pragma once

#include <QDate>
#include <QString>

#include <optional>

// How people type a date into a field that shows dates in a short format: with any separators
// or none ("15/12/2026", "15.12.26", "151226"), with a two- or four-digit year, or with the
// year (or month and year) left out, which are then taken from reference. The order of day,
// month and year is the short format's; a letter group may name a month. An impossible day
// (31 February) is no date.
struct TDateInputRule {
    QString ShortFormat;  // in the program's format language, "dd/mm/yyyy"
    QDate Reference;      // supplies what the input leaves out
    int CurrentYear = 0;  // two-digit years fall within 79 years before and 20 after it
};

std::optional<QDate> ParseDateInput(const QString& text, const TDateInputRule& rule);

// The short format with a two-digit year widened to four digits: a date field shows the whole
// year, so that reading its text back never moves the date into another century.
QString DateFieldFormat(const QString& shortFormat);
