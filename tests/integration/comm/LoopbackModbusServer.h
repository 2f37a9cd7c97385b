#pragma once

#include <array>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

// A small Modbus/TCP device on 127.0.0.1 for the link tests: function 4 reads
// and function 16 writes one register bank, with scripted misbehaviour.
class LoopbackModbusServer {
public:
    enum class Behaviour {
        Answer,
        Silent,      // takes the request and never answers
        SplitAnswer, // sends the answer a few bytes at a time
        AnswerTwice, // a stale copy of the answer follows it in the same send
    };

    LoopbackModbusServer();
    ~LoopbackModbusServer();

    std::string Port() const { return std::to_string(port_); }
    void SetBehaviour(Behaviour b);
    void SetRegister(int address, std::uint16_t value);
    std::uint16_t Register(int address);
    int Requests();
    // Waits until at least n requests have arrived; false after the bound.
    bool WaitForRequests(int n);

private:
    void Serve();
    void ServeClient(int client);
    bool ReadExactly(int client, std::uint8_t* buffer, std::size_t size);
    std::vector<std::uint8_t> Answer(const std::vector<std::uint8_t>& request);
    void SendAnswer(int client, const std::vector<std::uint8_t>& frame, Behaviour behaviour);

    int listener_ = -1;
    int wake_ = -1;
    int port_ = 0;
    std::mutex mutex_;
    std::condition_variable arrived_;
    Behaviour behaviour_ = Behaviour::Answer;
    int requests_ = 0;
    std::array<std::uint16_t, 65536> registers_{};
    std::thread thread_;
};
