#include "pelk-table/check/check_context.h"

#include <utility>

#include "pelk-table/check/check_list.h"
#include "pelk-table/model/table_model.h"

FINDING_& CCheckContext::add(CHECK_ID_ check, const PLACE_& place, MESSAGE_ message, SUBJECT_ subject) {
    FINDING_ finding;
    finding.id = check;
    finding.severity = CCheckList::of(check).severity;
    finding.refusal = check == kCheckTableFormat;
    finding.subject = std::move(subject);
    finding.place = place;
    finding.message = std::move(message);
    findings.push_back(std::move(finding));
    return findings.back();
}

void CCheckContext::note(FINDING_& finding, const PLACE_& place, MESSAGE_ message) {
    finding.notes.push_back({place, std::move(message)});
}

SUBJECT_ CCheckContext::stateSubject(int s) const {
    SUBJECT_ subject;
    if (s >= 0 && s < model.table().stateCount()) {
        subject.state = s;
        subject.stateName = model.table().stateName(s);
    }
    return subject;
}

SUBJECT_ CCheckContext::eventSubject(int e) const {
    SUBJECT_ subject;
    if (e >= 0 && e < model.table().eventCount()) {
        subject.event = e;
        subject.eventName = model.table().eventName(e);
    }
    return subject;
}

SUBJECT_ CCheckContext::cellSubject(int s, int e) const {
    SUBJECT_ subject = stateSubject(s);
    const SUBJECT_ column = eventSubject(e);
    subject.event = column.event;
    subject.eventName = column.eventName;
    return subject;
}

SUBJECT_ CCheckContext::actionSubject(const std::string& action) {
    SUBJECT_ subject;
    subject.action = action;
    return subject;
}

ARGUMENT_ CCheckContext::state(int s) const {
    return ARGUMENT_::ofState(s, model.table().stateName(s));
}

ARGUMENT_ CCheckContext::event(int e) const {
    return ARGUMENT_::ofEvent(e, model.table().eventName(e));
}
