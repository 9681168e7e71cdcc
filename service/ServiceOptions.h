#pragma once
// Command-line options of kivo-service.

#include "ListFolder.h"
#include "SoapEndpoint.h"

#include <string>
#include <vector>

namespace kivo::service {

struct ServiceOptions {
    std::string address = "127.0.0.1";
    int port = 8731;
    ListFolderOptions lists;  // folder defaults to the shipped samples
    EndpointSettings endpoint;
    std::size_t workers = 16;  // each kept-alive client connection holds one while open
    std::size_t maxBodyBytes = 64 * 1024;
    bool showHelp = false;
};

// Throws std::invalid_argument with a message for the user on a bad option.
ServiceOptions ParseServiceOptions(const std::vector<std::string>& arguments);

std::string ServiceUsage();

}  // namespace kivo::service
