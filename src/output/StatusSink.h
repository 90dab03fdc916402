#pragma once
// Where long work shows what it is doing ("プレビュー作成中..." and the like).
#include <string>

namespace orv {

// An empty text clears it. ProcessEvents lets the window paint the text before the work starts.
class StatusSink {
  public:
    virtual ~StatusSink() = default;
    virtual void ShowStatus(const std::string& text) = 0;
    virtual void ProcessEvents() {}
};

// For work nobody watches (the command line, thumbnails).
class NullStatusSink : public StatusSink {
  public:
    void ShowStatus(const std::string&) override {}
};

}  // namespace orv
