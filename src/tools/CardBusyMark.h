#pragma once
// Whether a card tool has the card away from the system: the disk check
// unmounts it and mounts it again, a format takes it away and gives it
// back. The main window must not take that for the user pulling the card.
// One mark, owned beside the window's viewer; the tools hold it while they
// work. User-interface thread only.

class CardBusyMark {
 public:
  // Holds the mark for its lifetime.
  class Hold {
   public:
    explicit Hold(CardBusyMark& mark) : mark_(mark) { ++mark_.holds_; }
    ~Hold() { --mark_.holds_; }
    Hold(const Hold&) = delete;
    Hold& operator=(const Hold&) = delete;

   private:
    CardBusyMark& mark_;
  };

  bool IsBusy() const { return holds_ > 0; }

 private:
  int holds_ = 0;
};
