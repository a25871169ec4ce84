// Message boxes in the Qt tests. A test that expects a box says how to
// answer it before the box comes; any other box fails the running test at
// once, with the box's title and text, and is closed, so no test waits for
// an answer nobody gives. Every Qt test program watches its boxes so.
#pragma once

#include <functional>

class QMessageBox;

namespace q32::test {

// The next box is answered by `answer`, called once the box waits for its
// answer.
void answerNextBox(std::function<void(QMessageBox&)> answer);

}  // namespace q32::test
