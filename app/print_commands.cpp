#include "app/print_commands.h"

#include <QApplication>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrintPreviewDialog>

#include "app/file_commands.h"
#include "app/message_box.h"

namespace tavrino {

PrintCommands::PrintCommands(const Parts& parts) : p_(parts), printer_(QPrinter::HighResolution) {}

std::optional<PrintPlan> PrintCommands::Prepare() {
    if (p_.player.IsPlaying()) {
        QApplication::beep();
        return std::nullopt;
    }
    std::string problem;
    std::optional<PrintPlan> plan = PlanPrint(p_.doc.song, p_.settings, p_.doc.beginMark,
                                              p_.doc.endMark, p_.view.CentrePosition(), problem);
    if (!plan) {
        ShowMessageBox(p_.window, QMessageBox::Warning, "Tavrino! Warning",
                       QString::fromStdString(problem));
    }
    return plan;
}

bool PrintCommands::PrintTo(QPagedPaintDevice& device, const PrintPlan& plan, int first, int last) {
    const TabSource tabs = p_.view.Tabs();
    const ScoreScene scene{p_.doc.song, p_.settings, tabs, PlayState{}};
    ScorePrinter printer(scene, plan, {DocumentTitle(p_.doc).toStdString(), HarmonicaFooter(tabs)});
    return printer.PrintPages(device, first, last);
}

void PrintCommands::Print() {
    const std::optional<PrintPlan> plan = Prepare();
    if (!plan) {
        return;
    }
    printer_.setDocName(DocumentTitle(p_.doc));
    QPrintDialog dialog(&printer_, p_.window);
    dialog.setMinMax(1, plan->pageCount);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange);
    if (dialog.exec() != QDialog::Accepted) {
        return;
    }
    const bool range = printer_.printRange() == QPrinter::PageRange;
    const int first = range ? printer_.fromPage() : 1;
    const int last = range ? printer_.toPage() : plan->pageCount;
    if (!PrintTo(printer_, *plan, first, last)) {
        ShowMessageBox(p_.window, QMessageBox::Warning, "Tavrino! Error",
                       "The song could not be printed: the printer cannot be used.");
    }
}

void PrintCommands::Preview() {
    const std::optional<PrintPlan> plan = Prepare();
    if (!plan) {
        return;
    }
    QPrintPreviewDialog dialog(&printer_, p_.window);
    QObject::connect(
        &dialog, &QPrintPreviewDialog::paintRequested, &dialog,
        [this, &plan](QPrinter* printer) { PrintTo(*printer, *plan, 1, plan->pageCount); });
    dialog.exec();
}

void PrintCommands::PageSetup() {
    QPageSetupDialog(&printer_, p_.window).exec();
}

}  // namespace tavrino
