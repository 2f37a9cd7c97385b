#pragma once

class CModbusInterface;

// Opens the connection for one series of requests unless the caller already
// has, and closes what it opened however the scope is left.
class CConnectionBracket {
public:
    explicit CConnectionBracket(CModbusInterface& connection);
    ~CConnectionBracket();
    CConnectionBracket(const CConnectionBracket&) = delete;
    CConnectionBracket& operator=(const CConnectionBracket&) = delete;

private:
    CModbusInterface& connection_;
    bool opened_;
};
