#pragma once
// The program's one error vocabulary: every failure that reaches a user carries one of these texts.
#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

namespace quorella {

// An error shown to the user as it is (the window appends a full stop when it lacks one). An error
// of a failed system call keeps its errno, so a handler that words it again need not read errno
// after the unwinding may have changed it.
class Error : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
  Error(const std::string& message, int error_number)
      : std::runtime_error(message), error_number_(error_number) {}
  // The errno of the failed call; 0 when the error did not come from one.
  int error_number() const { return error_number_; }

 private:
  int error_number_ = 0;
};

namespace messages {
// The operating system's description of an errno value.
std::string SystemReason(int error_number);

std::string CannotCreateFile(std::string_view path, std::string_view reason);
std::string CannotOpenFile(std::string_view path, std::string_view reason);
std::string CannotReadFile(std::string_view path, std::string_view reason);
std::string CannotWriteFile(std::string_view path, std::string_view reason);
std::string CannotReplaceFile(std::string_view path, std::string_view reason);
std::string CannotDeleteFile(std::string_view path, std::string_view reason);
std::string CannotCopyFile(std::string_view from, std::string_view to, std::string_view reason);
inline constexpr std::string_view kUnableToCreateDirectory = "Unable to create directory";
// The same, naming the folder and the reason, where there is a folder to name.
std::string UnableToCreateDirectory(std::string_view path, std::string_view reason);
inline constexpr std::string_view kNotARegularFile = "It is not a regular file.";
// Why a Go does not write a page over a file that is there: it is none of the set's pages.
inline constexpr std::string_view kNotAPage =
    "A file that is not a page has this name; move it away or choose another page name.";
std::string FileTooLarge(std::string_view path, std::size_t limit);

// Settings store.
std::string InvalidDataType(std::string_view value_name);
std::string FailedToSetData(std::string_view value_name);
// A store held by another process's write for longer than the wait.
std::string SettingsStoreBusy(std::string_view path);
// The same of a folder whose lock another process holds too long.
std::string FolderBusy(std::string_view path);
std::string SettingsStoreFailure(std::string_view action, std::string_view path,
                                 std::string_view reason);

// FAQ catalogue.
inline constexpr std::string_view kEnterFaqName = "Please enter a name for FAQ.";
inline constexpr std::string_view kEnterDocumentName = "Please enter a name for document";
inline constexpr std::string_view kNameExists = "The name already exists. Please select a new one.";
inline constexpr std::string_view kNameNotAFileName =
    "A FAQ name cannot contain \"/\", \"\\\" or control characters and cannot be \".\" or \"..\".";
inline constexpr std::string_view kNameTooLong = "A FAQ name cannot be longer than 251 bytes.";
std::string NoSuchFaq(std::string_view name);
// A FAQ key read from a backup or a snapshot whose name cannot name a document.
std::string FaqNameSkipped(std::string_view name);
// A FAQ that the conversion of a store of the earlier version renamed.
std::string FaqRenamed(std::string_view before, std::string_view after);

// Page generation.
std::string PageNameRefused(std::string_view name);

// Plain-text import.
inline constexpr std::string_view kTextExceedsMemoCapacity = "Text exceeds memo capacity";
// A file with NUL bytes is not text: importing it would only store its bytes as garbage.
std::string NotATextFile(std::string_view path);
// Import of other kinds of file.
std::string NoQuestionFound(std::string_view path, std::string_view format_name);
std::string HtmlNestedTooDeeply(std::size_t limit);
std::string NoQuestionNumbered(std::size_t number, std::size_t count);
inline constexpr std::string_view kEmptyQaSeparator =
    "The question - answer separator is empty. Please enter the text that ends a question.";

// Questions.
inline constexpr std::string_view kBlankQuestion = "A question cannot be empty or blank.";
inline constexpr std::string_view kFaqReloaded =
    "The FAQ was changed by another program and has been reloaded.";

// Backup and restore.
inline constexpr std::string_view kFinishedBackup = "Finished Backup.";
inline constexpr std::string_view kErrorBackingUpRegistry = "Error backing up registry entries";
std::string ErrorDeletingFile(std::string_view path);
inline constexpr std::string_view kRestoreCaption = "Restore Configuration";
inline constexpr std::string_view kRestoreQuestion =
    "You are about to do a restore. Are you sure you want to continue?";
inline constexpr std::string_view kConfigurationRestored =
    "Configuration restored.The application will now restart.";
std::string BackupDirectoryHoldsApplication(std::string_view backup_dir);
std::string NoBackupIn(std::string_view backup_dir);
std::string NotABackupOf(std::string_view snapshot_file, std::string_view key);
// A set whose manifest does not match it, or an older set missing a document it names.
std::string DamagedBackup(std::string_view backup_dir, std::string_view file_name);
// The command line's words for a restore.
inline constexpr std::string_view kRestoreDone = "Configuration restored.";
inline constexpr std::string_view kRestoreCancelled = "Restore cancelled.";
inline constexpr std::string_view kRestoreNeedsConfirmation =
    "A restore replaces the whole configuration: confirm it on a terminal, or add --yes.";

// HTTP fetch and update check.
inline constexpr std::string_view kHttpBusy = "HTTP component is busy";
inline constexpr std::string_view kHttpLineTooLong = "HTTP line too long";
inline constexpr std::string_view kCantResolveHostname = "can't resolve hostname to IP address";
// The description of a socket error code followed by " (Error #CODE)".
std::string SocketFailure(int error_code);
// A connection that could not even be started: "can't connect: " + SocketFailure(code).
std::string CantConnect(int error_code);
std::string UnsupportedScheme(std::string_view scheme);
std::string RequestTimedOut(long long milliseconds);
std::string TooManyRedirects(int limit);
// A body that ended before the length its Content-Length announced.
std::string ResponseCutShort(std::uint64_t received, std::int64_t announced);
// How the command line reports the client's HTTP error: "EHttpException CODE: MESSAGE".
std::string HttpErrorLine(int code, std::string_view message);

// Reliability.
inline constexpr std::string_view kEarlierBackupKept =
    "The backup could not be completed. The earlier backup set is kept as it was.";
}  // namespace messages

}  // namespace quorella
