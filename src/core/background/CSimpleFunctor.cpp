#include "background/CSimpleFunctor.h"

CSimpleFunctor CSimpleFunctor::FromFunction(std::function<void()> function)
{
    return CSimpleFunctor(std::make_shared<FunctionProxy>(std::move(function)));
}

void CSimpleFunctor::Invoke() const
{
    if (proxy_)
        proxy_->Call();
}
