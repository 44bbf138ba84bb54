#pragma once
// A window's state and behaviour, without pixels. Its view (ui/) shows the state and calls one
// method per user action; the platform opens the view for the form.
#include <string>

namespace kalvora::core {

class Session;

class Form {
public:
    explicit Form(Session& session) : session_(session) {}
    virtual ~Form() = default;
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;

    // The window's name (kalxena, zelcrea ...) and its current title.
    virtual std::string name() const = 0;
    virtual std::string title() const = 0;

    bool closed() const { return closed_; }
    Session& session() const { return session_; }

protected:
    void close() { closed_ = true; }
    void reopen() { closed_ = false; }

private:
    Session& session_;
    bool closed_ = false;
};

}  // namespace kalvora::core
