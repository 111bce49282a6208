#pragma once
// A system-wide hot key: pressing it calls `OnPressed` on the owner's thread
// even while another program has the keyboard focus or our windows are
// hidden. On X11 this grabs the key on the root window through a connection
// of its own; without an X display it logs once and stays inert, since a hot
// key is a convenience the program runs fine without.

#include <QObject>

#include <functional>
#include <memory>

class QSocketNotifier;

class TGlobalHotKey : public QObject {
    Q_OBJECT
  public:
    // Grabs the key with this X keysym (e.g. 0xFFC2 for F5) with no
    // modifiers; Num Lock and Caps Lock do not matter.
    explicit TGlobalHotKey(unsigned keysym, QObject* parent = nullptr);
    ~TGlobalHotKey() override;

    // Releases the key; afterwards presses no longer arrive.
    void Unregister();

    std::function<void()> OnPressed;

  private:
    void DrainEvents();

    struct TConnection;
    std::unique_ptr<TConnection> connection_;
    std::unique_ptr<QSocketNotifier> notifier_;
    unsigned keycode_ = 0;
};
