#pragma once

namespace zq {

class ConsoleWatcher;
class QtUserInterface;
class Settings;
class UserInterface;

// What the window says about the USB devices that could be the console when
// none is connected: the hints under "failed to open USB port", and, while
// it waits, the question about an unlisted device of the console's shape
// (asked again only when the plugged devices change).
void WireConsoleOffers(ConsoleWatcher& watcher, QtUserInterface& ui, Settings& settings);

// The question alone, asked through `ui` while the watcher waits.
void WireAdoptionOffer(ConsoleWatcher& watcher, UserInterface& ui, Settings& settings);

}  // namespace zq
