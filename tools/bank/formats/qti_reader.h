#pragma once

// Reads QTI 2.1 assessment items, loose or in a content package (a ZIP, or
// its unpacked folder, with an imsmanifest.xml listing the items):
//
//   <assessmentItem identifier="q1" title="Layer 3">
//     <responseDeclaration identifier="RESPONSE" cardinality="single" baseType="identifier">
//       <correctResponse><value>c3</value></correctResponse>
//     </responseDeclaration>
//     <itemBody>
//       <p>Which device routes?</p><img src="images/router.gif" alt=""/>
//       <choiceInteraction responseIdentifier="RESPONSE" maxChoices="1">
//         <prompt>Pick one.</prompt>
//         <simpleChoice identifier="c1">Hub</simpleChoice> ...
//       </choiceInteraction>
//     </itemBody>
//     <modalFeedback outcomeIdentifier="FEEDBACK" identifier="HINT"
//     title="Hint">...</modalFeedback>
//   </assessmentItem>
//
// An item with one choiceInteraction is taken: maxChoices 1 makes a single
// choice question (a true/false one when its two choices read True and
// False), any other a multiple-choice one; the right choices are the
// correctResponse. The body and prompt are the text, the first <img> the
// exhibit, modal feedback named HINT the hint and the rest the reference.
// Items with other interactions are skipped with the reason. A package
// whose manifest names an item it lacks, and broken XML, fail naming the
// item.

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "tools/bank/formats/interchange_document.h"
#include "xbase/status.h"

namespace zentrix::banktool {

class QtiReader {
public:
    // A content package as the bytes of its ZIP file; `name` names it.
    static xbase::Result<InterchangeDocument> readPackage(std::string bytes,
                                                          const std::string& name);
    // An unpacked package: the path of its imsmanifest.xml.
    static xbase::Result<InterchangeDocument> readManifest(const std::string& manifestPath);
    // One loose item; its pictures are files beside it, read by the importer.
    static xbase::Result<InterchangeDocument> readItem(std::string_view xml,
                                                       const std::string& name);

    // The package file at `path`, or nothing when it is not there; fails
    // when it is there but cannot be read.
    using FileLookup =
        std::function<xbase::Result<std::optional<std::string>>(const std::string& path)>;
    static xbase::Result<InterchangeDocument> readPackageFiles(const FileLookup& lookup,
                                                               const std::string& name);

    // `href` taken from inside `folder` of a package, "." and ".." resolved;
    // nothing when it leaves the package or is a web address.
    static std::optional<std::string> resolve(const std::string& folder, const std::string& href);
};

}  // namespace zentrix::banktool
