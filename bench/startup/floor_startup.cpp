// The floor: a plain Qt program of the window's shape (four tabs, 85 widgets, a graph that
// scrolls every 300 ms), built the plainest way, reporting its first paint as zarnel_startup
// does: floor_startup [--idle]. Its captions are Japanese, as the window's are: a Japanese
// program pays for its font's fallback and its larger glyphs.
#include <QApplication>
#include <QComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPaintEvent>
#include <QPainter>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>

#include "bench/startup/first_paint.h"

namespace {

constexpr int kTickMilliseconds = 300;
constexpr int kGraphWidth = 400;
constexpr int kGraphHeight = 120;
constexpr int kStep = 4;  // pixels the graph moves per tick
constexpr int kPieSide = 100;

// A line graph that scrolls left by one step per tick and paints only the new strip.
class Graph : public QWidget {
  public:
    explicit Graph(QWidget* parent) : QWidget(parent) {
        setFixedSize(kGraphWidth, kGraphHeight);
        setAttribute(Qt::WA_OpaquePaintEvent);
        auto* timer = new QTimer(this);
        connect(timer, &QTimer::timeout, this, [this] {
            last_ = next_;
            next_ = (next_ * 7 + 13) % kGraphHeight;
            scroll(-kStep, 0);
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

  protected:
    void paintEvent(QPaintEvent*) override {
        constexpr int kQuarterTurn = 90 * 16;
        QPainter painter(this);
        painter.setBrush(Qt::red);
        painter.drawPie(rect(), 0, 3 * kQuarterTurn);
        painter.setBrush(Qt::blue);
        painter.drawPie(rect(), 3 * kQuarterTurn, kQuarterTurn);
    }
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
    memory->layout()->addWidget(new Pie(memory));
    memory->layout()->addWidget(new Graph(memory));
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
