#include "console/SentCounter.h"

#include <QLineEdit>

TSentCounter::TSentCounter(QLineEdit* mainCounter, QLineEdit* floatingCounter)
    : mainCounter_(mainCounter), floatingCounter_(floatingCounter) {
    ShowCount();
    floatingCounter_->setText(mainCounter_->text());
}

void TSentCounter::Add(uint64_t bytes) {
    if (bytes == 0) {
        return;
    }
    count_ += bytes;
    ShowCount();
    floatingCounter_->setText(mainCounter_->text());
}

void TSentCounter::ResetMain() {
    count_ = 0;
    ShowCount();
}

void TSentCounter::ResetBoth() {
    ResetMain();
    floatingCounter_->setText(mainCounter_->text());
}

void TSentCounter::ShowCount() {
    mainCounter_->setText(QString::number(count_));
}
