// The one interface of game states and background processes. The argument of
// every call is the running application (null while it shuts down).
#pragma once

#include <string>
#include <utility>

class iProcess {
public:
    explicit iProcess(std::wstring name)
        : name(std::move(name))
    {
    }

    // False refuses the state or process; it is then not kept.
    virtual bool Init(void* /*application*/) { return true; }
    // False ends it: a state is popped at once, a process removed after the pass.
    virtual bool Update(void* application) = 0;
    virtual void Exit(void* /*application*/) { }

    const std::wstring& GetName() const { return name; }

protected:
    // States and processes belong to their owners; the managers never delete
    // them.
    ~iProcess() = default;
    iProcess(const iProcess&) = default;
    iProcess& operator=(const iProcess&) = default;

private:
    std::wstring name;
};
