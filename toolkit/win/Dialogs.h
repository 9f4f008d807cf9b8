// TOpenDialog: the system's open-file dialog, run through Sys() so tests can answer it.
#pragma once
#include <cstdint>
#include <string>

#include "toolkit/Component.h"

enum TOpenOption : uint32_t {
  ofHideReadOnly = 1,     // no "open as read-only" box
  ofPathMustExist = 2,    // a typed folder must exist
  ofFileMustExist = 4,    // a typed file must exist
  ofEnableSizing = 8,     // the dialog can be resized
  ofNoChangeDir = 16,     // the process keeps its current folder
};
using TOpenOptions = uint32_t;

class TOpenDialog : public TComponent {
 public:
  // Options ofHideReadOnly and ofEnableSizing, no title (the system's own), no file name.
  explicit TOpenDialog(TComponent* owner);

  const std::string& Title() const { return title_; }
  void SetTitle(const std::string& title) { title_ = title; }
  TOpenOptions Options() const { return options_; }
  void SetOptions(TOpenOptions options) { options_ = options; }
  // The file chosen by the last confirmed Execute, or the one to propose.
  const std::string& FileName() const { return file_name_; }
  void SetFileName(const std::string& name) { file_name_ = name; }
  // The "Files of type" list: description|pattern pairs, e.g. "Text (*.txt)|*.txt|All|*.*".
  // The first pair is selected. Empty: no list.
  const std::string& Filter() const { return filter_; }
  void SetFilter(const std::string& filter) { filter_ = filter; }
  // The filter as the dialog takes it: the parts separated by, and ending in, two NULs.
  std::wstring FilterBuffer() const;
  // The OPENFILENAME flags the options make (always the explorer-style dialog).
  uint32_t Flags() const;

  // Runs the dialog owned by the window dialogs go above (DialogOwner); true, with FileName set to the full path, when
  // the user confirmed a file. FileName is unchanged on cancel.
  bool Execute();

 private:
  std::string title_;
  std::string filter_;
  TOpenOptions options_ = ofHideReadOnly | ofEnableSizing;
  std::string file_name_;
};
