#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "manpages/man_page.h"

namespace zq::man {

// What every page's header and footer carry.
struct Release {
  std::string version;  // e.g. "1.3"
  std::string date;     // YYYY-MM-DD
};

// The pages of the three programs. The command line's and the emulator's are
// built from their own usage texts and command table, so that they show the
// options and commands of this very build.
ManPage WindowPage(const Release& release);
ManPage CliPage(const Release& release);
ManPage EmulatorPage(const Release& release);

// The page of a program by its name, nothing for an unknown name.
std::optional<ManPage> PageFor(std::string_view program, const Release& release);

// Shared by the pages: a page's header, and the ENVIRONMENT entries of the
// device directory that every program looks for the console in.
ManPage PageHeader(std::string name, std::string summary, const Release& release);
ManSection DeviceDirectoryEnvironment();
// The device directory's variables and those that choose where a host looks.
ManSection HostEnvironment();

}  // namespace zq::man
