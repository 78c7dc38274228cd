#include "showavi.h"

#include "runtime/quorvel.h"

#include <QApplication>
#include <QEventLoop>
#include <QLabel>
#include <QPainter>
#include <QPointer>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>
#include <QtMath>

namespace Showavi {

namespace {

// Painted busy indicator driven by a timer. Kind 6 (list load) draws a sweeping bar,
// every other kind a ring of dots turning.
class BusyIndicator : public QWidget {
public:
    explicit BusyIndicator(QWidget *parent)
        : QWidget(parent)
    {
        setObjectName(QStringLiteral("aviAnimacao"));
        setFixedSize(120, 48);
        m_timer.setInterval(80);
        connect(&m_timer, &QTimer::timeout, this, [this] {
            m_step = (m_step + 1) % 12;
            update();
        });
        m_timer.start();
    }
    TShowAvi Kind() const { return m_kind; }
    void SetKind(TShowAvi kind)
    {
        m_kind = kind;
        update();
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        const QColor colour = palette().color(QPalette::Highlight);
        if (m_kind == 6)
            PaintBar(painter, colour);
        else
            PaintRing(painter, colour);
    }

private:
    void PaintRing(QPainter &painter, QColor colour)
    {
        const QPointF centre = rect().center();
        const qreal radius = height() / 2.0 - 6;
        painter.setPen(Qt::NoPen);
        for (int i = 0; i < 12; ++i) {
            const qreal angle = 2 * M_PI * i / 12;
            colour.setAlphaF(0.15 + 0.85 * ((i - m_step + 12) % 12) / 11.0);
            painter.setBrush(colour);
            painter.drawEllipse(centre + QPointF(radius * qCos(angle), radius * qSin(angle)), 3, 3);
        }
    }
    void PaintBar(QPainter &painter, const QColor &colour)
    {
        const QRectF track(4, height() / 2.0 - 4, width() - 8, 8);
        painter.setPen(palette().color(QPalette::Mid));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(track);
        const qreal block = track.width() / 4;
        const qreal x = track.left() + (track.width() - block) * m_step / 11.0;
        painter.fillRect(QRectF(x, track.top(), block, track.height()), colour);
    }

    QTimer m_timer;
    int m_step = 0;
    TShowAvi m_kind = 1;
};

class ShowAviWindow : public QWidget {
public:
    // A tool-tip window never takes the activation (some platforms, offscreen among
    // them, ignore WA_ShowWithoutActivating): the screen under it keeps its focus.
    ShowAviWindow()
        : QWidget(nullptr, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
    {
        setObjectName(QStringLiteral("frmShowAvi"));
        setAttribute(Qt::WA_ShowWithoutActivating);
        setFocusPolicy(Qt::NoFocus);
        auto *layout = new QVBoxLayout(this);
        m_indicator = new BusyIndicator(this);
        m_text = new QLabel(this);
        m_text->setObjectName(QStringLiteral("lblShowAvi"));
        m_text->setAlignment(Qt::AlignCenter);
        layout->addWidget(m_indicator, 0, Qt::AlignHCenter);
        layout->addWidget(m_text);
        setStyleSheet(QStringLiteral("#frmShowAvi { border: 1px solid palette(mid); }"));
    }
    void Present(QWidget *over, TShowAvi kind, const QString &text)
    {
        m_indicator->SetKind(kind);
        m_text->setText(text);
        m_text->setVisible(!text.isEmpty());
        adjustSize();
        CentreOver(over);
        show();
    }
    TShowAvi Kind() const { return m_indicator->Kind(); }
    QString Text() const { return m_text->text(); }

private:
    void CentreOver(QWidget *over)
    {
        QRect area;
        if (over && over->isVisible())
            area = over->frameGeometry();
        else if (QScreen *screen = QGuiApplication::primaryScreen())
            area = screen->availableGeometry();
        if (area.isValid())
            move(area.center() - rect().center());
    }

    BusyIndicator *m_indicator;
    QLabel *m_text;
};

// Activations nest: the window stays while any is open and shows the newest kind and
// text; it is destroyed with the last deactivation.
QPointer<ShowAviWindow> g_window;
int g_depth = 0;

} // namespace

void ActiveShowAvi(QWidget *mainForm, TShowAvi kind, const QString &text)
{
    if (!mainForm)
        mainForm = Quorvel::MainForm();
    if (g_depth++ == 0)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    if (!g_window)
        g_window = new ShowAviWindow;
    g_window->Present(mainForm, kind, text);
    // Paint once before the blocking call that follows; user input stays queued.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void DeactiveShowAvi()
{
    if (g_depth == 0)
        return;
    if (--g_depth > 0)
        return;
    delete g_window;
    QApplication::restoreOverrideCursor();
}

bool ShowAviActive()
{
    return g_depth > 0;
}

TShowAvi ShowAviKind()
{
    return g_window ? g_window->Kind() : 0;
}

QString ShowAviText()
{
    return g_window ? g_window->Text() : QString();
}

ShowAviScope::ShowAviScope(QWidget *mainForm, TShowAvi kind, const QString &text)
{
    ActiveShowAvi(mainForm, kind, text);
}

ShowAviScope::~ShowAviScope()
{
    DeactiveShowAvi();
}

} // namespace Showavi
