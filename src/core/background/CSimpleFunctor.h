#pragma once

#include <functional>
#include <memory>
#include <utility>

#include "background/CObservable.h"

// A bound call that is also a subject: the work item of the background
// executor, whose observers learn that the call has run. Copies share the
// bound call; the last copy releases it.
class CSimpleFunctor : public CObservable {
public:
    class ProxyInterface {
    public:
        virtual ~ProxyInterface() = default;
        virtual void Call() = 0;
    };

    // Calls one member of one object; the object must outlive every copy.
    template <class Target, class MemberAdaptor> class ClassFuncProxy : public ProxyInterface {
    public:
        ClassFuncProxy(Target& target, MemberAdaptor adaptor)
            : target_(target), adaptor_(std::move(adaptor))
        {
        }
        void Call() override { adaptor_(target_); }

    private:
        Target& target_;
        MemberAdaptor adaptor_;
    };

    class FunctionProxy : public ProxyInterface {
    public:
        explicit FunctionProxy(std::function<void()> function) : function_(std::move(function)) {}
        void Call() override
        {
            if (function_)
                function_();
        }

    private:
        std::function<void()> function_;
    };

    CSimpleFunctor() = default;
    explicit CSimpleFunctor(std::shared_ptr<ProxyInterface> proxy) : proxy_(std::move(proxy)) {}

    template <class Target> static CSimpleFunctor Bind(Target& target, void (Target::*member)())
    {
        using Adaptor = decltype(std::mem_fn(member));
        return CSimpleFunctor(
            std::make_shared<ClassFuncProxy<Target, Adaptor>>(target, std::mem_fn(member)));
    }
    static CSimpleFunctor FromFunction(std::function<void()> function);

    // Runs the bound call; an empty functor does nothing.
    void Invoke() const;
    void operator()() const { Invoke(); }

    bool IsEmpty() const { return !proxy_; }
    long ProxyUseCount() const { return proxy_.use_count(); }

private:
    std::shared_ptr<ProxyInterface> proxy_;
};
