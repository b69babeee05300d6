#pragma once

#include <QString>

#include <array>
#include <cstdint>

// Parts of a version number, one bit each, for choosing which a version text shows.
enum TVersionPart : std::uint8_t { vpMajor = 1, vpMinor = 2, vpRelease = 4, vpBuild = 8 };
using TVersionParts = std::uint8_t;

// The version number (major, minor, release, build) that a program file carries.
class TVersion {
public:
    explicit TVersion(const QString& fileName);

    bool IsValid() const { return m_Valid; }
    const std::array<std::uint16_t, 4>& Number() const { return m_Number; }
    // The selected parts joined with "."; "?.?.?.?" when the file carries no version.
    QString Text(TVersionParts parts = vpMajor | vpMinor | vpRelease | vpBuild) const;

    static QString RunningExecutablePath();

private:
    std::array<std::uint16_t, 4> m_Number{};
    bool m_Valid = false;
};
