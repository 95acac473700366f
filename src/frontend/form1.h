// The main window's controller: the boxes' texts, the results grid, the open CSV output file
// and the command handlers. It reaches the user only through TUserInterface, so the window,
// the command-line twin and the tests drive the same code.
#pragma once

#include <memory>

#include "frontend/busy_flag.h"
#include "frontend/download/downloader.h"
#include "frontend/form_boxes.h"
#include "frontend/form_settings.h"
#include "frontend/text_file.h"
#include "frontend/user_interface.h"
#include "grid/spread_grid.h"

namespace frontend {

class TForm1 {
 public:
  // AUserInterface and ADownloader are not owned and must outlive the form.
  TForm1(TUserInterface& AUserInterface, TDownloader& ADownloader, TFormSettings ASettings);
  ~TForm1();
  TForm1(const TForm1&) = delete;
  TForm1& operator=(const TForm1&) = delete;

  TFormBoxes& Boxes() noexcept { return FBoxes; }
  const TFormBoxes& Boxes() const noexcept { return FBoxes; }
  grid::TSpreadGrid& Grid() noexcept { return *FGrid; }
  const TFormSettings& Settings() const noexcept { return FSettings; }
  // True while a run is in progress (it lets the window handle events meanwhile).
  bool IsBusy() const noexcept { return FBusy.IsBusy(); }

  // Start-up: completes the items and output paths and creates the CSV output file, which
  // stays open until FormClose.
  void FormShow();
  void FormClose();
  void Button1Click();  // "Run One"
  void Button2Click();  // "Run"
  void Button3Click();  // items file "Open"
  void Button4Click();  // geography list "Open"
  void Button9Click();  // "View/Edit"
  void Guide1Click();   // "&Guide"

 private:
  // Runs a command; an error it raises ends it and is shown in the standard error box.
  template <class TCommand>
  void RunCommand(TCommand ACommand);
  void RunOne();

  TUserInterface& FUserInterface;
  TDownloader& FDownloader;
  TFormSettings FSettings;
  TFormBoxes FBoxes;
  std::unique_ptr<grid::TSpreadGrid> FGrid;
  TTextWriter FCsvOutput;
  TBusyFlag FBusy;
};

}  // namespace frontend
