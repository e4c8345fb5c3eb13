// The preview's file work: printing, PDF and HTML, each on a job of its own with progress and
// Cancel, and opening a saved report.
#include "report/ReportPreview.h"

#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QProgressBar>
#include <QPushButton>
#include <QSaveFile>
#include <QStatusBar>

#include <climits>

#include "report/HtmlPages.h"
#include "report/PageJob.h"

namespace convertor {

bool ReportPreview::savePdf(const QString& file) const {
    if (!m_pages) {
        return false;
    }
    const std::atomic_bool never{false};
    return PageJob::writePdf(*m_pages, file, never).isEmpty();
}

bool ReportPreview::saveHtml(const QString& file) const {
    if (m_report) {
        const std::atomic_bool never{false};
        return PageJob::writeHtml(m_engine, *m_report, file, never).isEmpty();
    }
    QSaveFile out(file);
    if (!out.open(QIODevice::WriteOnly)) {
        return false;
    }
    out.write(html().toUtf8());
    return out.commit();
}

bool ReportPreview::openHtml(const QString& file) {
    QFile in(file);
    if (!in.open(QIODevice::ReadOnly)) {
        return false;
    }
    m_report.reset();
    showPages(std::make_unique<HtmlPages>(QString::fromUtf8(in.readAll())));
    return true;
}

PageJob* ReportPreview::startPdf(const QString& file) {
    return startJob(tr("Saving %1").arg(QFileInfo(file).fileName()),
                    [file](PageSource& pages, const std::atomic_bool& cancel, const auto& progress) {
                        return PageJob::writePdf(pages, file, cancel, progress);
                    });
}

PageJob* ReportPreview::startJob(const QString& doing,
                                 std::function<QString(PageSource&, const std::atomic_bool&,
                                                       const std::function<void(long long, long long)>&)>
                                     work) {
    if (m_job || !m_pages) {
        return nullptr;
    }
    // The job keeps the window's source until it has its own of it.
    std::shared_ptr<PageSource> pages = m_pages;
    m_job = new PageJob(
        [pages, work](const std::atomic_bool& cancel,
                      const std::function<void(long long, long long)>& progress) mutable {
            // A source of the thread's own: the window goes on painting its pages meanwhile.
            std::unique_ptr<PageSource> own = pages->clone();
            pages.reset();
            return work(*own, cancel, progress);
        },
        this);
    connect(m_job, &PageJob::progressed, this, [this](long long done, long long total) {
        m_progress->setRange(0, static_cast<int>(std::min<long long>(total, INT_MAX)));
        m_progress->setValue(static_cast<int>(std::min<long long>(done, INT_MAX)));
    });
    connect(m_job, &PageJob::finished, this, &ReportPreview::jobEnded);
    for (QAction* action : m_fileActions) {
        action->setEnabled(false);
    }
    m_progress->setRange(0, 0);
    m_progress->show();
    m_cancel->show();
    statusBar()->showMessage(doing);
    m_job->start();
    return m_job;
}

void ReportPreview::jobEnded(bool done, const QString& error) {
    m_job->deleteLater();
    m_job = nullptr;
    for (QAction* action : m_fileActions) {
        action->setEnabled(true);
    }
    m_progress->hide();
    m_cancel->hide();
    statusBar()->showMessage(done ? tr("Done") : error.isEmpty() ? tr("Cancelled") : error, 4000);
    if (!error.isEmpty()) {
        QMessageBox::warning(this, windowTitle(), error);
    }
}

void ReportPreview::print() {
    auto printer = std::make_shared<QPrinter>(QPrinter::HighResolution);
    printer->setPageLayout(PageSource::pageLayout());
    QPrintDialog dialog(printer.get(), this);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange);
    if (dialog.exec() != QDialog::Accepted) {
        return;
    }
    startJob(tr("Printing"),
             [printer](PageSource& pages, const std::atomic_bool& cancel, const auto& progress) {
                 return PageJob::paintPages(pages, *printer, cancel, progress) || cancel
                            ? QString()
                            : QObject::tr("The report could not be printed.");
             });
}

void ReportPreview::saveAsPdf() {
    const QString file = QFileDialog::getSaveFileName(this, tr("Save as PDF"), QString(),
                                                      tr("PDF File (*.pdf);;All File (*)"));
    if (!file.isEmpty()) {
        startPdf(file);
    }
}

void ReportPreview::saveAsHtml() {
    const QString file = QFileDialog::getSaveFileName(this, tr("Save as HTML"), QString(),
                                                      tr("HTML File (*.html *.htm);;All File (*)"));
    if (file.isEmpty()) {
        return;
    }
    if (!m_report) {
        if (!saveHtml(file)) {
            QMessageBox::warning(this, windowTitle(), tr("Cannot write %1").arg(file));
        }
        return;
    }
    const ReportEngine engine = m_engine;
    const ReportValue report = *m_report;
    startJob(tr("Saving %1").arg(QFileInfo(file).fileName()),
             [engine, report, file](PageSource&, const std::atomic_bool& cancel, const auto&) {
                 return PageJob::writeHtml(engine, report, file, cancel);
             });
}

void ReportPreview::openReport() {
    const QString file = QFileDialog::getOpenFileName(this, tr("Open Report"), QString(),
                                                      tr("HTML File (*.html *.htm);;All File (*)"));
    if (!file.isEmpty() && !openHtml(file)) {
        QMessageBox::warning(this, windowTitle(), tr("Cannot open %1").arg(file));
    }
}

}  // namespace convertor
