#include "frontend/form1.h"

#include <exception>
#include <filesystem>
#include <system_error>

#include "frontend/batch_run.h"
#include "frontend/form_defaults.h"

namespace frontend {

TForm1::TForm1(TUserInterface& AUserInterface, TDownloader& ADownloader, TFormSettings ASettings)
    : FUserInterface(AUserInterface),
      FDownloader(ADownloader),
      FSettings(std::move(ASettings)),
      FGrid(std::make_unique<grid::TSpreadGrid>(kInitialGridCols, kInitialGridRows)) {}

TForm1::~TForm1() = default;

template <class TCommand>
void TForm1::RunCommand(TCommand ACommand) {
  try {
    ACommand();
  } catch (const std::exception& error) {
    FUserInterface.ShowErrorBox(ErrorBoxText(error.what()));
  }
}

void TForm1::FormShow() {
  RunCommand([this] {
    FBoxes.ItemsFile = FSettings.ProgramFolder + FBoxes.ItemsFile;
    FBoxes.OutputFile = OutputPathFor(FBoxes.ItemsFile);
    // The batch answer's folder is ours to make; when it cannot be made the first batch
    // answer reports it.
    std::error_code ignored;
    std::filesystem::create_directories(
        std::filesystem::path(FSettings.BatchAnswerFile).parent_path(), ignored);
    FCsvOutput.Open(FSettings.CsvOutputFile);
  });
}

void TForm1::FormClose() {
  RunCommand([this] { FCsvOutput.Close(); });
}

void TForm1::Button1Click() {
  TBusyScope busy(FBusy);
  if (!busy.Acquired()) return;
  RunCommand([this] { RunOne(); });
}

void TForm1::RunOne() {
  std::string address = BuildRequestAddress(FBoxes.Geocode, FBoxes.Items, FSettings.Service);
  try {
    FDownloader.Download(address, FSettings.SingleAnswerFile);
  } catch (const EDownloadError&) {
    FUserInterface.ShowMessage(base::Message(base::TMessage::Unsuccessful));
    FUserInterface.ProcessMessages();
    return;
  }
  TTextReader answer(FSettings.SingleAnswerFile);
  answer.ReadLine();
  std::string dataLine = answer.ReadLine();
  FUserInterface.ShowMessage(dataLine);
  answer.Close();
}

void TForm1::Button2Click() {
  TBusyScope busy(FBusy);
  if (!busy.Acquired()) return;
  RunCommand([this] {
    TBatchRun run(*FGrid, FCsvOutput, FUserInterface, FDownloader, FSettings.Service,
                  FSettings.BatchAnswerFile, FBoxes);
    run.Execute();
  });
}

void TForm1::Button3Click() {
  RunCommand([this] {
    auto chosen = FUserInterface.OpenFileDialog(std::string(kItemsFilter),
                                                std::filesystem::current_path().string());
    if (!chosen) return;
    FBoxes.ItemsFile = *chosen;
    FBoxes.OutputFile = OutputPathFor(FBoxes.ItemsFile);
  });
}

void TForm1::Button4Click() {
  RunCommand([this] {
    auto chosen = FUserInterface.OpenFileDialog(std::string(kGeoListFilter),
                                                std::filesystem::current_path().string());
    if (chosen) FBoxes.GeoListFile = *chosen;
  });
}

void TForm1::Button9Click() {
  RunCommand([this] {
    std::error_code ignored;
    if (std::filesystem::exists(FBoxes.ItemsFile, ignored))
      FUserInterface.OpenDocument(FBoxes.ItemsFile);
    else
      FUserInterface.ShowMessage(base::Message(base::TMessage::CannotOpenFile, {FBoxes.ItemsFile}));
  });
}

void TForm1::Guide1Click() {
  RunCommand([this] { FUserInterface.OpenDocument(std::string(kGuideAddress)); });
}

}  // namespace frontend
