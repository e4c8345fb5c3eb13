#pragma once

#include <QObject>
#include <QString>

#include <atomic>
#include <functional>
#include <memory>

class QPagedPaintDevice;
class QPrinter;
class QThread;

namespace convertor {

class PageSource;
class ReportEngine;
struct ReportValue;

// A long piece of work on a report (printing, a PDF or HTML file) on a thread of its own, so the
// window stays free: it tells its progress, can be cancelled, and says how it ended. The pages are
// painted one at a time from a source of the job's own, so memory stays flat whatever their count.
class PageJob : public QObject {
    Q_OBJECT

public:
    // The work: returns what went wrong (empty when nothing did), calls progress(done, total) as it
    // goes (a total of 0 when unknown) and stops early once cancel is set.
    using Work = std::function<QString(const std::atomic_bool& cancel,
                                       const std::function<void(long long, long long)>& progress)>;

    PageJob(Work work, QObject* parent = nullptr);
    // Cancels the work and waits for it.
    ~PageJob() override;

    void start();
    void cancel();
    bool isRunning() const;
    // Waits for the thread to end (for tests and closing).
    void wait();

    // Paints the pages (only the device's page ranges when it has any) on a printer or PDF writer,
    // scaled to its printable area. False when the device cannot be painted or cancel was set.
    static bool paintPages(PageSource& pages, QPagedPaintDevice& device, const std::atomic_bool& cancel,
                           const std::function<void(long long, long long)>& progress = {});
    // A PDF file of the pages; the file appears only once every page is in it.
    static QString writePdf(PageSource& pages, const QString& file, const std::atomic_bool& cancel,
                            const std::function<void(long long, long long)>& progress = {});

    // The report as HTML through the engine's template; like the PDF, the file appears only whole.
    static QString writeHtml(const ReportEngine& engine, const ReportValue& report, const QString& file,
                             const std::atomic_bool& cancel);

signals:
    void progressed(long long done, long long total);
    // error is empty when the work succeeded or was cancelled.
    void finished(bool done, const QString& error);

private:
    Work m_work;
    QThread* m_thread = nullptr;
    std::atomic_bool m_cancel{false};
    QString m_error;
};

}  // namespace convertor
