#include "codegen/generated_names.h"

#include <utility>

namespace {

// Digits as cellRoutine() writes a number: no sign, no leading zero.
bool readPlainNumber(const std::string& digits, int& number) {
    if (digits.empty() || digits.size() > 9 || (digits.size() > 1 && digits[0] == '0'))
        return false;
    number = 0;
    for (char c : digits) {
        if (c < '0' || c > '9')
            return false;
        number = number * 10 + (c - '0');
    }
    return true;
}

}  // namespace

CGeneratedNames::CGeneratedNames(std::string machineName)
    : m_machine(std::move(machineName)) {}

std::string CGeneratedNames::initFunction() const {
    return "init_" + fsmFunction();
}

std::string CGeneratedNames::fsmFunction() const {
    return m_machine + "fsm";
}

std::string CGeneratedNames::stateVariable() const {
    return m_machine + "state";
}

std::string CGeneratedNames::getStateFunction() const {
    return getStateFunctionOf(stateVariable());
}

std::string CGeneratedNames::getStateFunctionOf(const std::string& stateVariable) {
    return "get_" + stateVariable;
}

std::string CGeneratedNames::vectorTable() const {
    return "stt_" + m_machine;
}

std::string CGeneratedNames::cellRoutine(int event, int state) const {
    return m_machine + "_on" + std::to_string(event) + "at" + std::to_string(state);
}

// The event's digits end at the first "at": digits never hold an "a".
bool CGeneratedNames::isCellRoutine(const std::string& symbol, int& event, int& state) const {
    const std::string prefix = m_machine + "_on";
    if (symbol.compare(0, prefix.size(), prefix) != 0)
        return false;
    const std::string rest = symbol.substr(prefix.size());
    const std::string::size_type at = rest.find("at");
    if (at == std::string::npos)
        return false;
    int e = 0;
    int s = 0;
    if (!readPlainNumber(rest.substr(0, at), e) || !readPlainNumber(rest.substr(at + 2), s))
        return false;
    event = e;
    state = s;
    return true;
}

std::string CGeneratedNames::moduleName() const {
    return "n_" + fsmFunction();
}

std::string CGeneratedNames::codeSegment() const {
    return "cs_" + fsmFunction();
}

std::string CGeneratedNames::dataSegment() const {
    return "ds_" + fsmFunction();
}
