// The floor: a plain Qt program of the window's shape (four tabs, 85 widgets, a graph that
// scrolls every 300 ms), built the plainest way, reporting its first paint as zarnel_startup
// does: floor_startup [--idle] [--figures | --pause | --meminfo | --timer-only]. Its captions are
// Japanese, as the window's are: a Japanese program pays for its font's fallback and its larger
// glyphs.
//
// With --figures it also does, the plainest way, the work each tick of the window cannot leave
// out: it reads /proc/meminfo, writes the six memory fields, turns the pie when a megabyte
// moves, pauses 10 ms after the scroll and renumbers the 17 labels of the time axis under the
// graph each time a second of graph time passes. --pause and --meminfo do one part of that work
// each (the pause; the read alone), so that what each part costs shows on its own. --timer-only
// keeps the timer and leaves the graph still: what any window ticking at that rate pays before
// it draws anything.
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPaintEvent>
#include <QPainter>
#include <QPushButton>
#include <QTabWidget>
#include <QThread>
#include <QTimer>
#include <QVBoxLayout>
#include <cstring>
#include <functional>

#include "bench/startup/first_paint.h"

namespace {

constexpr int kTickMilliseconds = 300;
constexpr int kGraphWidth = 400;
constexpr int kGraphHeight = 120;
constexpr int kStep = 4;  // pixels the graph moves per tick
constexpr int kPieSide = 100;
constexpr int kScrollPauseMs = 10;
constexpr int kFullCircle = 360 * 16;  // Qt's angle units
constexpr qint64 kKilobytesPerMegabyte = 1024;
constexpr int kPercent = 100;
constexpr int kTimeLabels = 17;
constexpr int kTicksPerSecond = 5;  // a tick is 0.2 s of graph time
constexpr int kTimeLabelWidth = kGraphWidth / kTimeLabels;
constexpr int kTimeLabelHeight = 16;

// A line graph that scrolls left by one step per tick and paints only the new strip; `tick`
// runs after each scroll. A still graph keeps its timer and neither scrolls nor paints.
class Graph : public QWidget {
  public:
    Graph(QWidget* parent, std::function<void()> tick, bool still) : QWidget(parent) {
        setFixedSize(kGraphWidth, kGraphHeight);
        setAttribute(Qt::WA_OpaquePaintEvent);
        auto* timer = new QTimer(this);
        connect(timer, &QTimer::timeout, this, [this, tick = std::move(tick), still] {
            if (still) return;
            last_ = next_;
            next_ = (next_ * 7 + 13) % kGraphHeight;
            scroll(-kStep, 0);
            if (tick) tick();
        });
        timer->start(kTickMilliseconds);
    }

  protected:
    void paintEvent(QPaintEvent* event) override {
        QPainter painter(this);
        painter.fillRect(event->rect(), Qt::black);
        painter.setPen(Qt::green);
        painter.drawLine(width() - kStep - 1, last_, width() - 1, next_);
    }

  private:
    int last_ = 0;
    int next_ = 0;
};

class Pie : public QWidget {
  public:
    explicit Pie(QWidget* parent) : QWidget(parent) { setFixedSize(kPieSide, kPieSide); }

    void setFree(qint64 freeMB, qint64 totalMB) {
        if (freeMB == freeMB_) return;
        freeMB_ = freeMB;
        freeAngle_ = totalMB > 0 ? static_cast<int>(kFullCircle * freeMB / totalMB) : 0;
        update();
    }

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.setBrush(Qt::red);
        painter.drawPie(rect(), freeAngle_, kFullCircle - freeAngle_);
        painter.setBrush(Qt::cyan);
        painter.drawPie(rect(), 0, freeAngle_);
    }

  private:
    qint64 freeMB_ = -1;
    int freeAngle_ = kFullCircle / 4;
};

// The figure after `key` in meminfo's text, in kB.
qint64 meminfoField(const QByteArray& text, const char* key) {
    const qsizetype at = text.indexOf(key);
    if (at < 0) return 0;
    const qsizetype from = at + static_cast<qsizetype>(std::strlen(key));
    return text.mid(from, text.indexOf('\n', from) - from).replace("kB", "").trimmed().toLongLong();
}

QByteArray readMeminfo() {
    QFile meminfo(QStringLiteral("/proc/meminfo"));
    return meminfo.open(QIODevice::ReadOnly) ? meminfo.readAll() : QByteArray();
}

// The memory figures of one tick, into the fields of the memory page and its pie.
void showMemory(const QList<QLineEdit*>& fields, Pie& pie) {
    const QByteArray text = readMeminfo();
    if (text.isEmpty()) return;
    const qint64 totalMB = meminfoField(text, "MemTotal:") / kKilobytesPerMegabyte;
    const qint64 freeMB = meminfoField(text, "MemAvailable:") / kKilobytesPerMegabyte;
    const qint64 usedMB = totalMB - freeMB;
    const auto show = [&fields](int field, const QString& value) {
        if (fields[field]->text() != value) fields[field]->setText(value);
    };
    show(0, QString::number(totalMB > 0 ? usedMB * kPercent / totalMB : 0) + '%');
    show(1, QString::number(totalMB) + 'M');
    show(2, QString::number(usedMB) + 'M');
    show(3, QString::number(freeMB) + 'M');
    show(4, fields[2]->text());
    show(5, fields[3]->text());
    pie.setFree(freeMB, totalMB);
}

// The numbers under the graph, moved on by one as each second of graph time passes.
class TimeAxis : public QWidget {
  public:
    explicit TimeAxis(QWidget* parent) : QWidget(parent) {
        auto* row = new QHBoxLayout(this);
        for (int i = 0; i < kTimeLabels; ++i) {
            // Of a fixed size, as the window's are placed: a new number relays out nothing.
            auto* label = new QLabel(QString::number(i));
            label->setFixedSize(kTimeLabelWidth, kTimeLabelHeight);
            label->setAlignment(Qt::AlignCenter);
            labels_.push_back(label);
            row->addWidget(label);
        }
    }

    void tick() {
        if (++ticks_ % kTicksPerSecond != 0) return;
        ++start_;
        for (int i = 0; i < kTimeLabels; ++i) labels_[i]->setText(QString::number(start_ + i));
    }

  private:
    QList<QLabel*> labels_;
    int ticks_ = 0;
    int start_ = 0;
};

// A page of label and field pairs.
QWidget* fieldsPage(int pairs) {
    auto* page = new QWidget;
    auto* form = new QFormLayout(page);
    for (int i = 0; i < pairs; ++i) {
        auto* field = new QLineEdit(QString::number(i * 1234567));
        field->setReadOnly(true);
        form->addRow(new QLabel(QStringLiteral("項目%1").arg(i)), field);
    }
    return page;
}

}  // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    zarnel::bench::reportFirstPaint(app, argc, argv);

    // The memory tab comes first and is the one shown, as in the window.
    QTabWidget tabs;
    QWidget* memory = fieldsPage(7);  // 14 + 2
    auto* pie = new Pie(memory);
    memory->layout()->addWidget(pie);
    const QStringList options = QCoreApplication::arguments();
    std::function<void()> tickWork;
    TimeAxis* axis = nullptr;
    if (options.contains(QStringLiteral("--figures"))) {
        axis = new TimeAxis(memory);
        tickWork = [fields = memory->findChildren<QLineEdit*>(), pie, axis] {
            QThread::msleep(kScrollPauseMs);
            showMemory(fields, *pie);
            axis->tick();
        };
    } else if (options.contains(QStringLiteral("--pause"))) {
        tickWork = [] { QThread::msleep(kScrollPauseMs); };
    } else if (options.contains(QStringLiteral("--meminfo"))) {
        tickWork = [] { readMeminfo(); };
    }
    const bool still = options.contains(QStringLiteral("--timer-only"));
    memory->layout()->addWidget(new Graph(memory, tickWork, still));
    if (axis) memory->layout()->addWidget(axis);
    tabs.addTab(memory, QStringLiteral("メモリ"));

    tabs.addTab(fieldsPage(14), QStringLiteral("パソコン"));  // 28 widgets

    QWidget* settings = fieldsPage(8);  // 16 + 4
    auto* combo = new QComboBox;
    combo->addItems({QStringLiteral("デスクトップ"), QStringLiteral("ドキュメント"),
                     QStringLiteral("テンプレート")});
    settings->layout()->addWidget(combo);
    settings->layout()->addWidget(new QLineEdit(QStringLiteral("/home/user/デスクトップ")));
    settings->layout()->addWidget(new QPushButton(QStringLiteral("開く")));
    settings->layout()->addWidget(new QPushButton(QStringLiteral("開く")));
    tabs.addTab(settings, QStringLiteral("設定"));

    QWidget* disk = fieldsPage(9);  // 18 + 2
    auto* drives = new QComboBox;
    drives->addItems({"c: [/]", "d: [/home]"});
    disk->layout()->addWidget(drives);
    auto* flags = new QListWidget;
    flags->addItems({QStringLiteral("大文字小文字を保持"), QStringLiteral("大文字小文字を区別"),
                     QStringLiteral("ユニコード")});
    disk->layout()->addWidget(flags);
    tabs.addTab(disk, QStringLiteral("ディスク"));

    tabs.show();
    return QApplication::exec();
}
