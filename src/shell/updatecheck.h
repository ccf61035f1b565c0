#pragma once
// Whether another version of the program is published: the version text
// kept on the program's web site ("06.15.11") against the program's own
// version numbers.
#include <QString>
#include <optional>

namespace tallyo {

struct VersionNumbers {
    int major = 0;
    int minor = 0;
    int revision = 0;
    bool operator==(const VersionNumbers&) const = default;
};

// The numbers this program was built with.
VersionNumbers ProgramVersion();

// The address of the published version text, and how long fetching it may
// take in all before the title window gives up.
QString VersionCheckUrl();
inline constexpr int VersionCheckTimeoutMs = 2000;

// The numbers of a version text: two digits, ".", two digits, ".", then one
// or more digits; whatever follows the last digits (a line break) is
// ignored. Nothing for any other text.
std::optional<VersionNumbers> ParseVersionText(const QString& text);

// True when the fetch gave a version text whose numbers differ from `local`,
// newer or older. A failed fetch or any other text gives false.
bool UpdateNoticeDue(const std::optional<QString>& fetched, const VersionNumbers& local);

// The version line of the title window, as rich text: "<i>Pro</i> Version
// w6.15.11".
QString VersionLabelText(const VersionNumbers& version);

}
