// quorrin-cli: resolves one share link without a window, exactly as the
// window's button does (the same resolver, the same cookie store), for
// scripts and terminals.
//
//   $ quorrin-cli 'https://v.douyin.com/AbCdEf1/'
//   https://…/video.mp4?…
//
// The link is read as UTF-8 and handed on unchanged (no trimming); the
// address comes out as UTF-8 with a newline. Exit status: 0 when an address
// was printed, 1 when none was found or it could not be written, 2 for a
// command line that is not one link.

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>

#include "platform/linux/utf8_edge.h"
#include "resolve/share_link.h"
#include "text/text.h"

namespace {

constexpr int kExitSuccess = 0;
constexpr int kExitFailure = 1;
constexpr int kExitUsage = 2;

constexpr char kUsage[] =
    "Usage: quorrin-cli [--] LINK\n"
    "Prints the direct download address of the video behind a share link.\n"
    "\n"
    "  --help  show this text and exit\n"
    "  --      end of options, for a LINK that begins with '-'\n"
    "\n"
    "Exit status: 0 address printed; 1 no address found, or it could not be\n"
    "written; 2 wrong command line.\n";

enum class Action { kResolve, kHelp, kUsageError };

struct CommandLine {
  Action action;
  std::string_view link;    // kResolve only.
  std::string_view reason;  // kUsageError only: what was wrong.
  std::string_view culprit;
};

// Options end at "--" or the first link; "--help" anywhere before that wins
// over what follows it, as with most tools, but an unknown option before it
// is still an error.
CommandLine ParseCommandLine(int argc, char** argv) {
  bool optionsEnded = false;
  int linkCount = 0;
  std::string_view link;
  for (int i = 1; i < argc; ++i) {
    const std::string_view argument = argv[i];
    if (!optionsEnded && argument.starts_with('-')) {
      if (argument == "--") {
        optionsEnded = true;
        continue;
      }
      if (argument == "--help") return {Action::kHelp, {}, {}, {}};
      return {Action::kUsageError, {}, "unknown option", argument};
    }
    ++linkCount;
    link = argument;
  }
  if (linkCount == 0) return {Action::kUsageError, {}, "no link given", {}};
  if (linkCount > 1) {
    return {Action::kUsageError, {}, "more than one link given", {}};
  }
  return {Action::kResolve, link, {}, {}};
}

// Nothing is left to report a failure of standard error to, so its writes
// are not checked.
void Complain(std::string_view what, std::string_view detail) {
  std::fprintf(stderr, "quorrin-cli: %.*s", static_cast<int>(what.size()),
               what.data());
  if (!detail.empty()) {
    std::fprintf(stderr, ": %.*s", static_cast<int>(detail.size()),
                 detail.data());
  }
  std::fputc('\n', stderr);
}

// Writes the line and closes standard output, so that a full disk or a
// reader that went away is noticed here rather than lost at exit. Leaves
// errno set when it fails.
bool WriteLineToStdout(const std::string& line) {
  // A reader that went away must become an error we report, not a silent
  // death by signal.
  if (std::signal(SIGPIPE, SIG_IGN) == SIG_ERR) {
    // Then the signal's default ends the process, still unsuccessfully.
  }
  const bool written =
      std::fwrite(line.data(), 1, line.size(), stdout) == line.size();
  const int writeError = errno;
  const bool closed = std::fclose(stdout) == 0;
  if (!written) errno = writeError;
  return written && closed;
}

}  // namespace

int main(int argc, char** argv) {
  const CommandLine commandLine = ParseCommandLine(argc, argv);
  switch (commandLine.action) {
    case Action::kHelp:
      if (std::fputs(kUsage, stdout) == EOF || std::fclose(stdout) != 0) {
        Complain("cannot write the usage", std::strerror(errno));
        return kExitFailure;
      }
      return kExitSuccess;
    case Action::kUsageError:
      Complain(commandLine.reason, commandLine.culprit);
      // Nothing is left to report a failure of standard error to.
      std::fputs(kUsage, stderr);
      return kExitUsage;
    case Action::kResolve:
      break;
  }

  const quorrin::Text link = quorrin::platform::Utf8ToGbkText(commandLine.link);
  const quorrin::Text address = quorrin::ResolveShareLink(link);
  if (address.empty()) {
    Complain("no download address found", {});
    return kExitFailure;
  }
  if (!WriteLineToStdout(quorrin::platform::GbkToUtf8(address.view()) + "\n")) {
    Complain("cannot write the address", std::strerror(errno));
    return kExitFailure;
  }
  return kExitSuccess;
}
