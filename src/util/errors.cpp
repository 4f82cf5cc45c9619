#include "util/errors.h"

#include <cstring>

namespace quorella::messages {

std::string SystemReason(int error_number) {
  return std::strerror(error_number);
}

namespace {
std::string PathMessage(std::string_view action, std::string_view path, std::string_view reason) {
  std::string text(action);
  text += " \"";
  text += path;
  text += "\". ";
  text += reason;
  return text;
}
}  // namespace

std::string CannotCreateFile(std::string_view path, std::string_view reason) {
  return PathMessage("Cannot create file", path, reason);
}
std::string CannotOpenFile(std::string_view path, std::string_view reason) {
  return PathMessage("Cannot open file", path, reason);
}
std::string CannotReadFile(std::string_view path, std::string_view reason) {
  return PathMessage("Cannot read file", path, reason);
}
std::string CannotWriteFile(std::string_view path, std::string_view reason) {
  return PathMessage("Cannot write file", path, reason);
}
std::string CannotReplaceFile(std::string_view path, std::string_view reason) {
  return PathMessage("Cannot replace file", path, reason);
}
std::string CannotDeleteFile(std::string_view path, std::string_view reason) {
  return PathMessage("Cannot delete file", path, reason);
}
std::string UnableToCreateDirectory(std::string_view path, std::string_view reason) {
  return PathMessage(kUnableToCreateDirectory, path, reason);
}
std::string CannotCopyFile(std::string_view from, std::string_view to, std::string_view reason) {
  std::string text = "Cannot copy file \"";
  text += from;
  text += "\" to \"";
  text += to;
  text += "\". ";
  text += reason;
  return text;
}

std::string InvalidDataType(std::string_view value_name) {
  return "Invalid data type for '" + std::string(value_name) + "'";
}
std::string FailedToSetData(std::string_view value_name) {
  return "Failed to set data for '" + std::string(value_name) + "'";
}
std::string SettingsStoreBusy(std::string_view path) {
  return "The settings store \"" + std::string(path) +
         "\" is busy: another Quorella is writing to it. Try again when it has finished.";
}

std::string FolderBusy(std::string_view path) {
  return "The folder \"" + std::string(path) +
         "\" is busy: another Quorella is writing in it. Try again when it has finished.";
}

std::string SettingsStoreFailure(std::string_view action, std::string_view path,
                                 std::string_view reason) {
  return PathMessage(action, path, reason);
}

std::string NotATextFile(std::string_view path) {
  return "\"" + std::string(path) + "\" is not a text file (it holds NUL bytes); nothing was read.";
}
std::string NoQuestionFound(std::string_view path, std::string_view format_name) {
  return "No question was found in \"" + std::string(path) + "\" (read as " +
         std::string(format_name) + "); nothing was imported.";
}
std::string HtmlNestedTooDeeply(std::size_t limit) {
  return "The page nests its elements more than " + std::to_string(limit) +
         " levels deep; nothing was imported.";
}
std::string NoQuestionNumbered(std::size_t number, std::size_t count) {
  return "There is no question " + std::to_string(number) + ": the FAQ has " +
         std::to_string(count) + (count == 1 ? " question." : " questions.");
}
std::string NoSuchFaq(std::string_view name) {
  return "There is no FAQ named \"" + std::string(name) + "\".";
}

std::string DamagedBackup(std::string_view backup_dir, std::string_view file_name) {
  return "The backup set in \"" + std::string(backup_dir) + "\" is incomplete or damaged (" +
         std::string(file_name) + "); nothing was restored.";
}

std::string FileTooLarge(std::string_view path, std::size_t limit) {
  return CannotReadFile(path, "It holds more than " + std::to_string(limit) + " bytes.");
}

std::string PageNameRefused(std::string_view name) {
  return "The page name \"" + std::string(name) +
         "\" cannot be used: a page name is a plain file name (no \"/\", not beginning with "
         "\".\") and never names a FAQ document or the settings store.";
}

std::string FaqRenamed(std::string_view before, std::string_view after) {
  return "The FAQ \"" + std::string(before) + "\" is now named \"" + std::string(after) +
         "\": the name of another FAQ differs from it only in letter case, which this version "
         "no longer tells apart.";
}

std::string FaqNameSkipped(std::string_view name) {
  return "The FAQ \"" + std::string(name) + "\" was skipped: its name cannot name a document file.";
}

// Backup and restore.
std::string ErrorDeletingFile(std::string_view path) {
  return "Error deleting file \"" + std::string(path) + "\".";
}
std::string BackupDirectoryHoldsApplication(std::string_view backup_dir) {
  return "The backup directory \"" + std::string(backup_dir) +
         "\" is the application directory or holds it, where the FAQ documents are kept. "
         "Please choose another directory.";
}
std::string NoBackupIn(std::string_view backup_dir) {
  return "There is no backup in \"" + std::string(backup_dir) +
         "\": \"registry.cfg\" is missing. Nothing was restored.";
}
std::string NotABackupOf(std::string_view snapshot_file, std::string_view key) {
  return "\"" + std::string(snapshot_file) + "\" is not a backup of \"" + std::string(key) +
         "\". Nothing was restored.";
}

// Socket errors are described like the system describes them; a code it has no words for gets the
// fixed text the program has always shown.
std::string SocketFailure(int error_code) {
  const char* description = ::strerrordesc_np(error_code);
  std::string text = description != nullptr ? description : "Not a WinSock error";
  return text + " (Error #" + std::to_string(error_code) + ")";
}
std::string CantConnect(int error_code) {
  return "can't connect: " + SocketFailure(error_code);
}
std::string UnsupportedScheme(std::string_view scheme) {
  return "can't connect: the address scheme \"" + std::string(scheme) +
         "\" is not supported (only http)";
}
std::string RequestTimedOut(long long milliseconds) {
  std::string seconds = std::to_string(milliseconds / 1000);
  if (const long long fraction = milliseconds % 1000; fraction != 0) {
    std::string digits = std::to_string(1000 + fraction).substr(1);
    while (digits.back() == '0') digits.pop_back();
    seconds += "." + digits;
  }
  return "no complete response within the time limit of " + seconds +
         (seconds == "1" ? " second" : " seconds");
}
std::string TooManyRedirects(int limit) {
  return "too many redirects (more than " + std::to_string(limit) + ")";
}
std::string ResponseCutShort(std::uint64_t received, std::int64_t announced) {
  return "incomplete response: the connection ended after " + std::to_string(received) + " of " +
         std::to_string(announced) + " bytes";
}
std::string HttpErrorLine(int code, std::string_view message) {
  return "EHttpException " + std::to_string(code) + ": " + std::string(message);
}

}  // namespace quorella::messages
