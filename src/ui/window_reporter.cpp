#include "ui/window_reporter.h"

#include "core/markup.h"

#include <QApplication>
#include <QEventLoop>
#include <QFontMetrics>
#include <QLabel>
#include <QProgressBar>
#include <QScrollBar>
#include <QStatusBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextEdit>
#include <QTimer>

namespace mirtal::ui {

namespace {

constexpr int kBasePointSize = 9;
constexpr int kErrorPanelWidth = 55;

}  // namespace

void WindowReporter::attach(QTextEdit* log, QStatusBar* bar, QLabel* panel0, QLabel* panel1, QProgressBar* progress)
{
    m_log = log;
    m_bar = bar;
    m_panel0 = panel0;
    m_panel1 = panel1;
    m_progress = progress;
}

void WindowReporter::logLine(std::string_view markup)
{
    if (!attached())
        return;
    QTextCursor cursor(m_log->document());
    cursor.movePosition(QTextCursor::End);
    if (m_lines > 0)
        cursor.insertBlock();
    const QColor text = m_log->palette().color(QPalette::Text);
    for (const auto& span : core::parseMarkup(markup)) {
        QTextCharFormat format;
        format.setFontWeight(span.bold ? QFont::Bold : QFont::Normal);
        format.setFontItalic(span.italic);
        format.setFontUnderline(span.underline);
        format.setFontPointSize(span.sizePt > 0 ? span.sizePt : kBasePointSize);
        if (span.rgb)
            format.setForeground(QColor(static_cast<QRgb>(*span.rgb)));
        else
            format.setForeground(text);
        cursor.insertText(QString::fromStdString(span.text), format);
    }
    ++m_lines;
    m_log->setTextCursor(cursor);
    m_log->ensureCursorVisible();
    // The newest line is in view from its start: long lines do not pull the view to the right.
    m_log->horizontalScrollBar()->setValue(0);
}

void WindowReporter::statusText(int panel, std::string_view text)
{
    if (!attached() || (panel != 0 && panel != 1))
        return;
    m_pending[static_cast<size_t>(panel)] = std::string(text);
    if (!deferred())
        flush();
}

bool WindowReporter::deferred() const
{
    // During a long run the texts and the bar follow every few milliseconds, not at every
    // report: a load reports once a chunk, thousands of times.
    return m_longRun && m_painted.isValid() && m_painted.elapsed() < kPaintIntervalMs;
}

void WindowReporter::setLongRun(bool running)
{
    m_longRun = running;
    if (!running && attached())
        flush();
}

void WindowReporter::flush()
{
    for (int panel = 0; panel < 2; ++panel)
        if (auto& text = m_pending[static_cast<size_t>(panel)]) {
            applyStatus(panel, *text);
            text.reset();
        }
    if (m_pendingProgress) {
        const int value = *m_pendingProgress;
        m_pendingProgress.reset();
        if (value < 0) {
            m_progress->reset();
        } else {
            // The bar counts in thousandths so 64-bit totals fit its int range.
            m_progress->setRange(0, 1000);
            m_progress->setValue(value);
        }
    }
    repaintBar();
}

void WindowReporter::applyStatus(int panel, const std::string& text)
{
    QLabel* label = panel == 0 ? m_panel0 : m_panel1;
    if (m_errorShown) {
        // Back to an ordinary text panel: regular font, no colours.
        m_errorShown = false;
        m_panel0->setStyleSheet(QString());
        m_panel0->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        QFont regular = m_panel1->font();
        regular.setBold(false);
        m_panel1->setFont(regular);
        m_panel0->setMinimumWidth(0);
    }
    const QString shown = QStringLiteral(" ") + QString::fromStdString(text) + QStringLiteral(" ");
    if (label->text() == shown)
        return;
    label->setText(shown);
    const int width = label->fontMetrics().horizontalAdvance(shown + QStringLiteral("m"));
    if (label->maximumWidth() != width || label->minimumWidth() != width)
        label->setFixedWidth(width);
    if (panel == 1)
        m_bar->setToolTip(QString::fromStdString(text));
}

void WindowReporter::errorDisplay(std::string_view text)
{
    if (!attached())
        return;
    // Texts still waiting came before the error, which covers both panels.
    m_pending = {};
    if (m_pendingProgress)
        flush();
    m_errorShown = true;
    ++m_errors;
    m_lastError = std::string(text);
    m_panel0->setText(QStringLiteral("ERROR"));
    m_panel0->setStyleSheet(QStringLiteral("QLabel { background-color: #FF0000; color: #FFFF00; font-weight: bold; padding-left: 8px; }"));
    // The bold caption with the style's padding, whatever the desktop's font.
    QFont boldCaption = m_panel0->font();
    boldCaption.setBold(true);
    m_panel0->setFixedWidth(
        std::max(kErrorPanelWidth, QFontMetrics(boldCaption).horizontalAdvance(QStringLiteral("ERROR")) + 8 + 14));
    QFont bold = m_panel1->font();
    bold.setBold(true);
    m_panel1->setFont(bold);
    const QString message = QString::fromStdString(std::string(text));
    m_panel1->setText(QStringLiteral(" ") + message);
    m_panel1->setFixedWidth(m_panel1->fontMetrics().horizontalAdvance(m_panel1->text() + QStringLiteral("mm")));
    m_bar->setToolTip(message);
    repaintBar();
}

void WindowReporter::beep()
{
    QApplication::beep();
}

void WindowReporter::tone(int hz, int ms)
{
    // No tone generator in the toolkit: the system beep stands for it.
    (void)hz;
    (void)ms;
    QApplication::beep();
}

void WindowReporter::progress(int64_t done, int64_t total)
{
    if (!attached())
        return;
    m_pendingProgress = total <= 0 ? -1 : static_cast<int>(std::clamp<int64_t>(done * 1000 / total, 0, 1000));
    if (!deferred())
        flush();
}

bool WindowReporter::cancelRequested()
{
    // The Cancel button's click is among the pending events; it sets the session's one flag.
    // Readers poll as often as once a packet: the clock is read every so many polls and the
    // events are processed every few milliseconds only, which keeps the window answering at a
    // small share of the run's time.
    if (++m_polls % kClockPolls != 0 && m_pumped.isValid())
        return false;
    if (!m_pumped.isValid() || m_pumped.elapsed() >= m_pumpIntervalMs) {
        QCoreApplication::processEvents();
        m_pumped.start();
    }
    return false;
}

void WindowReporter::wait(int ms)
{
    if (ms <= 0) {
        QCoreApplication::processEvents();
        return;
    }
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

void WindowReporter::repaintBar()
{
    // Long runs report once a chunk: the bar is painted at once at most every few
    // milliseconds; in between the texts wait for the next pass of the event loop.
    if (m_bar != nullptr && m_bar->isVisible() && (!m_painted.isValid() || m_painted.elapsed() >= kPaintIntervalMs)) {
        m_bar->repaint();
        m_painted.start();
    }
}

void WindowReporter::showLastErrorSince(int count)
{
    if (m_errors > count && !m_errorShown) {
        const std::string text = m_lastError;
        errorDisplay(text);
        --m_errors;    // the same error, shown once more
    }
}

}  // namespace mirtal::ui
