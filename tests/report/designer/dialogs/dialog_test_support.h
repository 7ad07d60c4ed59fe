#pragma once
// Finding the widgets of a dialog by object name in the dialog tests.

#include <gtest/gtest.h>

#include <QWidget>

namespace dorvana::test {

template <typename W>
W* child(const QWidget* parent, const char* name) {
    W* w = parent->findChild<W*>(QString::fromLatin1(name));
    EXPECT_NE(w, nullptr) << name;
    return w;
}

}  // namespace dorvana::test
