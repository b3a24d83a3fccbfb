// The busy cursor for as long as an object of this class lives.
#pragma once

#include <QCursor>
#include <QGuiApplication>

namespace tagora::runtime {

class BusyCursor {
public:
    BusyCursor() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
    ~BusyCursor() { QGuiApplication::restoreOverrideCursor(); }
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;
};

}  // namespace tagora::runtime
