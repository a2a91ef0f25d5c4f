// Closes every modal box that opens while the tool runs and remembers what it said, so that
// an unattended run never waits for a user.
#pragma once

#include <QObject>
#include <QString>
#include <QTimer>
#include <vector>

namespace zarnel::tools {

struct SeenMessage {
    QString title;
    QString text;
    QString icon;  // "information", "critical", "warning", "question" or "none"
};

class ModalCloser : public QObject {
  public:
    ModalCloser();
    const std::vector<SeenMessage>& seen() const { return seen_; }

  private:
    void closeActive();

    QTimer poll_;
    std::vector<SeenMessage> seen_;
};

}  // namespace zarnel::tools
