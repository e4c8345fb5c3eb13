#include "report/PageJob.h"

#include <QElapsedTimer>
#include <QPageRanges>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <QThread>

#if defined(__GLIBC__)
#include <malloc.h>
#endif

#include "report/PageSource.h"
#include "reports/ReportEngine.h"
#include "reports/ReportValue.h"

namespace convertor {

namespace {

// Stops a render part-way: thrown by the sink once the render is cancelled.
struct Cancelled {};

}  // namespace

PageJob::PageJob(Work work, QObject* parent) : QObject(parent), m_work(std::move(work)) {}

PageJob::~PageJob() {
    cancel();
    wait();
    // Ended, but the queued word of its end never comes now: the thread object is ours to delete.
    delete m_thread;
}

void PageJob::start() {
    if (m_thread) {
        return;
    }
    m_cancel = false;
    m_thread = QThread::create([this] {
        QElapsedTimer sinceTold;
        sinceTold.start();
        m_error = m_work(m_cancel, [this, &sinceTold](long long done, long long total) {
            // Told a few times a second: a signal per page would flood the window's thread.
            if (sinceTold.elapsed() >= 100 || done == total) {
                sinceTold.restart();
                emit progressed(done, total);
            }
        });
    });
    connect(m_thread, &QThread::finished, this, [this] {
        m_thread->deleteLater();
        m_thread = nullptr;
        emit finished(!m_cancel && m_error.isEmpty(), m_cancel ? QString() : m_error);
    });
    m_thread->start();
}

void PageJob::cancel() {
    m_cancel = true;
}

bool PageJob::isRunning() const {
    return m_thread != nullptr;
}

void PageJob::wait() {
    if (m_thread) {
        m_thread->wait();
    }
}

bool PageJob::paintPages(PageSource& pages, QPagedPaintDevice& device, const std::atomic_bool& cancel,
                         const std::function<void(long long, long long)>& progress) {
#if defined(__GLIBC__)
    // Qt builds each page's output in a buffer grown a few bytes at a time and freed at the page's
    // end: by default the heap is then grown and given back to the system page after page, a
    // sixth of a PDF's time.
    static const bool kept = [] {
        constexpr int kPad = 16 << 20;
        return mallopt(M_TOP_PAD, kPad) == 1 && mallopt(M_TRIM_THRESHOLD, 4 * kPad) == 1 &&
               mallopt(M_MMAP_THRESHOLD, 2 * kPad) == 1;
    }();
    (void)kept;
#endif
    QPainter painter;
    if (!painter.begin(&device)) {
        return false;
    }
    const double dpi = device.logicalDpiX();
    const QRectF area = device.pageLayout().paintRectPixels(static_cast<int>(dpi));
    const QSizeF printable = PageSource::printableSize();
    const double scale = std::min(area.width() / printable.width(), area.height() / printable.height());
    const QPageRanges ranges = device.pageRanges();
    const long long total = ranges.isEmpty() ? pages.pageCount() : 0;
    long long done = 0;
    bool first = true;
    for (int page = 0; page < pages.pageCount(); ++page) {
        if (cancel) {
            painter.end();
            return false;
        }
        if (!ranges.isEmpty() && !ranges.contains(page + 1)) {
            continue;
        }
        if (!first) {
            device.newPage();
        }
        first = false;
        painter.save();
        painter.scale(scale, scale);
        pages.paint(painter, page);
        painter.restore();
        if (progress) {
            progress(++done, total);
        }
    }
    return painter.end();
}

QString PageJob::writePdf(PageSource& pages, const QString& file, const std::atomic_bool& cancel,
                          const std::function<void(long long, long long)>& progress) {
    // Written beside the file under another name and put in place at the end: a cancelled or
    // failed PDF leaves nothing, and an older file stays as it was.
    QSaveFile out(file);
    if (!out.open(QIODevice::WriteOnly)) {
        return QObject::tr("Cannot write %1: %2").arg(file, out.errorString());
    }
    bool painted = false;
    {
        QPdfWriter writer(&out);
        writer.setResolution(300);
        writer.setCreator(QStringLiteral("Convertor"));
        writer.setTitle(pages.title());
        writer.setPageLayout(PageSource::pageLayout());
        painted = paintPages(pages, writer, cancel, progress);
    }
    if (!painted || cancel) {
        out.cancelWriting();
        return cancel ? QString() : QObject::tr("Cannot write %1").arg(file);
    }
    if (!out.commit()) {
        return QObject::tr("Cannot write %1: %2").arg(file, out.errorString());
    }
    return {};
}

QString PageJob::writeHtml(const ReportEngine& engine, const ReportValue& report, const QString& file,
                           const std::atomic_bool& cancel) {
    QSaveFile out(file);
    if (!out.open(QIODevice::WriteOnly)) {
        return QObject::tr("Cannot write %1: %2").arg(file, out.errorString());
    }
    try {
        engine.render(report, [&](std::string_view block) {
            if (cancel) {
                throw Cancelled{};
            }
            out.write(block.data(), static_cast<qint64>(block.size()));
        });
    } catch (const Cancelled&) {
        out.cancelWriting();
        return {};
    } catch (const std::exception& error) {
        out.cancelWriting();
        return QString::fromStdString(error.what());
    }
    return out.commit() ? QString() : QObject::tr("Cannot write %1: %2").arg(file, out.errorString());
}

}  // namespace convertor
