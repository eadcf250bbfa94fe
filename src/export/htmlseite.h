#pragma once
// The HTML page around the exported data: everything before the data's JSON and everything after.
namespace htmlseite {
extern const char* const anfang;
extern const char* const ende;
}  // namespace htmlseite
