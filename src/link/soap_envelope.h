#pragma once

#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace quarrion {

// The Web Connector's SOAP 1.1 document/literal calls as plain values: the operation
// and its string parameters, and the replies written back.
namespace Soap {

// The namespace every operation, parameter and result element of the Web Connector
// service belongs to (with its trailing slash).
inline constexpr std::string_view kServiceNamespace = "http://developer.intuit.com/";
inline constexpr std::string_view kEnvelopeNamespace = "http://schemas.xmlsoap.org/soap/envelope/";

// One call: the operation's local name and its parameters by local name. A missing,
// empty or nil parameter reads as "".
struct Call {
    std::string method;
    std::map<std::string, std::string, std::less<>> parameters;

    std::string Parameter(std::string_view name) const;
};

// Reads a request envelope: the first element inside soap:Body is the operation, in the
// service namespace whatever prefix it uses; its child elements are the parameters
// (their text with the XML escapes undone, so a qbXML response arrives as qbXML).
// Answers "" or what is wrong with the body.
std::string ParseCall(std::string_view body, Call& call);

// <methodResponse><methodResult>value</methodResult></methodResponse> in an envelope.
std::string StringReply(std::string_view method, std::string_view value);
std::string IntReply(std::string_view method, int value);
// The result as a sequence of <string> elements (authenticate's ArrayOfString).
std::string StringArrayReply(std::string_view method, const std::vector<std::string>& values);
// A SOAP fault, for requests that are not a readable call at all. `code` is "Client" or
// "Server".
std::string Fault(std::string_view code, std::string_view text);

// A request envelope as the Web Connector writes it; used to play the Web Connector
// in tests and in the connection check.
std::string Request(std::string_view method,
                    const std::vector<std::pair<std::string, std::string>>& parameters);

// Reads a reply envelope: the texts of the result element's children named "string"
// when there are any, else the result element's own text. Answers "" or what is wrong
// (not an envelope, a fault with its text).
std::string ParseReply(std::string_view body, std::string_view method,
                       std::vector<std::string>& values);

}  // namespace Soap

}  // namespace quarrion
