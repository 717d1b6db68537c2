#pragma once
// The interaction handler given to every load: the office must never wait
// for an answer nobody can give (a password prompt, a filter dialogue), so
// every request is aborted, and recorded so that a failed load can say why.
#include <com/sun/star/task/XInteractionHandler.hpp>
#include <cppuhelper/implbase1.hxx>

#include <QString>
#include <QStringList>

#include <mutex>

namespace lo {

class InteractionRecorder : public cppu::WeakImplHelper1<css::task::XInteractionHandler> {
public:
    void SAL_CALL handle(const css::uno::Reference<css::task::XInteractionRequest>& request) override;

    bool passwordAsked() const;
    // The type names of the requests, in order (for messages and tests).
    QStringList requests() const;

private:
    mutable std::mutex m_mutex;
    QStringList m_requests;
    bool m_password = false;
};

} // namespace lo
