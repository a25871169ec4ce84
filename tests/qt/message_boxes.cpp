#include "message_boxes.h"

#include <QApplication>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <deque>

namespace q32::test {

namespace {

using Answer = std::function<void(QMessageBox&)>;

std::deque<Answer>& answers() {
    static std::deque<Answer> queue;
    return queue;
}

void failAndClose(QMessageBox& box) {
    const QString message = QStringLiteral("Unexpected message box \"%1\": %2").arg(box.windowTitle(), box.text());
    QTest::qFail(message.toUtf8().constData(), __FILE__, __LINE__);
    box.reject();
}

Answer nextAnswer() {
    if (answers().empty()) return failAndClose;
    Answer answer = std::move(answers().front());
    answers().pop_front();
    return answer;
}

class BoxWatch : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* target, QEvent* event) override {
        if (event->type() != QEvent::Show) return false;
        auto* box = qobject_cast<QMessageBox*>(target);
        if (!box || box->property(kSeen).toBool()) return false;
        box->setProperty(kSeen, true);
        // Answered from the box's own event loop, once it waits.
        QTimer::singleShot(0, box, [box, answer = nextAnswer()] { answer(*box); });
        return false;
    }

private:
    static constexpr const char* kSeen = "q32AnswerComing";
};

}  // namespace

void answerNextBox(Answer answer) { answers().push_back(std::move(answer)); }

}  // namespace q32::test

namespace {

void watchMessageBoxes() { qApp->installEventFilter(new q32::test::BoxWatch(qApp)); }

}  // namespace

Q_COREAPP_STARTUP_FUNCTION(watchMessageBoxes)
