#pragma once

namespace quillon {

// Marks the length of a call into the engine, so that timer ticks arriving in a modal loop
// opened inside it (a failure report) do not start another turn or release the game.
class EngineCall {
  public:
    explicit EngineCall(int& depth) : m_depth(depth) { ++m_depth; }
    ~EngineCall() { --m_depth; }
    EngineCall(const EngineCall&) = delete;
    EngineCall& operator=(const EngineCall&) = delete;

  private:
    int& m_depth;
};

}  // namespace quillon
