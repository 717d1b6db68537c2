#include "LoInteraction.h"

#include "LoText.h"

#include <com/sun/star/task/DocumentPasswordRequest.hpp>
#include <com/sun/star/task/DocumentPasswordRequest2.hpp>
#include <com/sun/star/task/DocumentMSPasswordRequest.hpp>
#include <com/sun/star/task/DocumentMSPasswordRequest2.hpp>
#include <com/sun/star/task/XInteractionAbort.hpp>

using namespace css;

namespace lo {

void InteractionRecorder::handle(const uno::Reference<task::XInteractionRequest>& request)
{
    const uno::Any what = request->getRequest();
    {
        std::lock_guard lock(m_mutex);
        m_requests << toQ(what.getValueTypeName());
        if (what.has<task::DocumentPasswordRequest>() || what.has<task::DocumentPasswordRequest2>()
            || what.has<task::DocumentMSPasswordRequest>() || what.has<task::DocumentMSPasswordRequest2>())
            m_password = true;
    }
    for (const auto& c : request->getContinuations()) {
        uno::Reference<task::XInteractionAbort> abort(c, uno::UNO_QUERY);
        if (abort.is()) {
            abort->select();
            return;
        }
    }
}

bool InteractionRecorder::passwordAsked() const
{
    std::lock_guard lock(m_mutex);
    return m_password;
}

QStringList InteractionRecorder::requests() const
{
    std::lock_guard lock(m_mutex);
    return m_requests;
}

} // namespace lo
