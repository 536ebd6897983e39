#pragma once
// The update check's version line, the addresses built from the configured ones, and the rules
// of the link label: its URL and when it shows the link style.
#include <optional>
#include <string>
#include <string_view>

#include "res/version.h"

namespace kestova {

// This build's version marker, as the first line of the server's version file must read.
inline constexpr std::wstring_view kVersionMarker = L"" KESTOVA_VERSION_TEXT;

// The first line of a text with CR LF, CR or LF line ends; "" for an empty text.
std::wstring firstLine(std::wstring_view text);
// True when the version file announces no newer version (exact comparison).
bool isCurrentVersion(std::wstring_view versionFile);

// `base` without one trailing "/", then `path`.
std::wstring joinAddress(std::wstring_view base, std::wstring_view path);

// A configured address the shell may open: "http://" or "https://" (any case) and a host, with no
// blank or control character. Anything else (a program, a file, another scheme) is refused.
bool isWebAddress(std::wstring_view address);
// A plain mail address: a name, "@" and a domain, with no blank, control character or "?", "&",
// ":" or "/" that would add a subject, a body or another scheme to the mail link.
bool isMailAddress(std::wstring_view address);

// Removes characters up to and including the blank from both ends.
std::wstring trimBlanks(std::wstring_view text);

// The URL a link label keeps when `value` is set: blank becomes empty; a value that does not
// start with "http://" (any case) gets it put in front.
std::wstring linkLabelUrl(std::wstring_view value);
// A label is a link when its trimmed URL has more than 12 characters.
bool isLinkedUrl(std::wstring_view url);

enum class LinkStyle { Link, Plain };
LinkStyle styleAfterUrlChange(bool linked, bool highlight);
LinkStyle styleAfterHighlightChange(bool highlight);
// Mouse enter and leave; nothing when the style stays as it is.
std::optional<LinkStyle> styleOnEnter(bool linked, bool highlight);
std::optional<LinkStyle> styleOnLeave(bool highlight);

}  // namespace kestova
