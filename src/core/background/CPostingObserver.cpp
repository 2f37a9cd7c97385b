#include "background/CPostingObserver.h"

CPostingObserver::CPostingObserver(Poster poster, Handler handler)
    : poster_(std::move(poster)), target_(std::make_shared<Target>())
{
    target_->handler = std::move(handler);
}

CPostingObserver::~CPostingObserver()
{
    // Detach before the poster goes: an Update on another thread may still use it.
    DetachAll();
    target_->alive = false;
}

void CPostingObserver::Update(CObservable* source)
{
    // The task holds the handler itself, so a handler that ends its window
    // (and destroys this observer) is not destroyed while it runs.
    poster_([target = target_, source] {
        if (target->alive)
            target->handler(source);
    });
}
