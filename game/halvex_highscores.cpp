#include "game/halvex_highscores.h"

#include "foundation/attributes.h"
#include "foundation/configuration.h"
#include "foundation/enum_table.h"
#include "foundation/enums.h"
#include "foundation/hex.h"
#include "foundation/md5.h"
#include "foundation/text.h"
#include "logic/device_handler.h"
#include "logic/state.h"
#include "platform/web_control.h"

namespace Vorn {
namespace App {

const char* const HalvexHighscores::DefaultServer = "http://scores.plovendra.net";

namespace {

// Shared with the server, which recomputes the signature of every submission.
const char* const kSigningSalt = "q7m2x9c4v1b8n5k3j6h0g2f7d4s9a1p8o3i6u5y2t7r0e4w9z1l6m8c3kd";

String ToDecimal(UInt32 value)
{
    return Util::UInt32ToString(value);
}

// An unsigned attribute that must be present and convert.
Bool ReadRequired(const Util::Attributes* attributes, const char* name, UInt32& value)
{
    Bool error = false;
    return attributes->GetValue(nullptr, name, &value, &error) && !error;
}

} // namespace

Bool HalvexHighscores::Parser::IsRootElement(const String& name)
{
    return name == "Content";
}

Bool HalvexHighscores::Parser::OnRootElement(const String&, Util::Attributes*)
{
    return true;
}

Bool HalvexHighscores::Parser::OnElement(const String& name, Util::Attributes* attributes)
{
    if (GetDepth() != 1 || name != "DR" || attributes == nullptr)
        return false;
    Entry entry;
    String hexName;
    Bool error = false;
    if (!ReadRequired(attributes, "i", entry.mRank) || !ReadRequired(attributes, "s1", entry.mScore1) ||
        !ReadRequired(attributes, "s2", entry.mScore2) || !ReadRequired(attributes, "s3", entry.mScore3) ||
        !attributes->GetValue(nullptr, "n", &hexName, &error) || error)
        return false;
    UInt32 highlight = 0;
    if (attributes->GetValue(nullptr, "highlight", &highlight, &error))
        entry.mHighlight = highlight != 0;
    if (error)
        return false;
    entry.mName = Util::HexToString(hexName);
    mEntries.Add(entry);
    return true;
}

HalvexHighscores::HalvexHighscores()
    : mDeviceHandler(nullptr), mVersion(1.1f), mRequest(nullptr), mExpectList(false), mServer(DefaultServer)
{
}

HalvexHighscores::~HalvexHighscores()
{
    DestroyRequest();
}

Bool HalvexHighscores::Init(Logic::IState* state)
{
    mDeviceHandler = state->GetDeviceHandler();
    if (const IConfiguration* configuration = state->GetConfiguration()) {
        mDeviceId = configuration->GetDeviceId();
        mCountry = configuration->GetCountry();
        mOsName = Enums::GetOperatingSystemTable().GetName(UInt32(configuration->GetOperatingSystem()));
        mDeviceName = Enums::GetDeviceModelTable().GetName(UInt32(configuration->GetDeviceModel()));
    }
    return true;
}

Bool HalvexHighscores::StartRequest(const String& url, Bool expectList)
{
    if (mRequest != nullptr || mDeviceHandler == nullptr)
        return false;
    mRequest = mDeviceHandler->CreateUrlRequest(url);
    if (mRequest == nullptr)
        return false;
    if (!mRequest->Start()) {
        DestroyRequest();
        return false;
    }
    mExpectList = expectList;
    return true;
}

void HalvexHighscores::DestroyRequest()
{
    if (mRequest != nullptr && mDeviceHandler != nullptr)
        mDeviceHandler->DestroyUrlRequest(mRequest);
    mRequest = nullptr;
}

void HalvexHighscores::RequestScoreList(const String& name)
{
    if (mRequest != nullptr)
        return;
    const String url = mServer + "/DR/getScorelist.php?t=0&i=1&n=" + Util::StringToHex(name) + "&id=" + mDeviceId;
    if (StartRequest(url, true))
        mEntries.SetCount(0);
}

String HalvexHighscores::BuildSubmitQuery(const String& name, UInt32 pass, UInt32 frontier, UInt32 totalScore,
                                          UInt32 starSum, UInt32 levelTime, UInt32 zenScore, UInt32 zenStage,
                                          UInt32 zenTime) const
{
    const struct {
        const char* key;
        String value;
    } values[] = {
        {"?n=", Util::StringToHex(name)},
        {"&i=", mDeviceId},
        {"&c=", mCountry},
        {"&os=", mOsName},
        {"&d=", mDeviceName},
        {"&v=", Util::PrintToString("%.1f", Double(mVersion))},
        {"&l=", "1"},
        {"&cl=", ToDecimal(pass)},
        {"&cs=", ToDecimal(frontier)},
        {"&c1=", ToDecimal(totalScore)},
        {"&c2=", ToDecimal(starSum)},
        {"&c3=", ToDecimal(levelTime)},
        {"&z1=", ToDecimal(zenScore)},
        {"&z2=", ToDecimal(zenStage)},
        {"&z3=", ToDecimal(zenTime)},
    };
    String query = "/DR/saveScore.php";
    String signed_;
    for (const auto& value : values) {
        query += value.key;
        query += value.value;
        signed_ += value.value;
    }
    signed_ += kSigningSalt;
    Data digest;
    return query + "&md5=" + Util::GetMd5Hex(digest, signed_);
}

void HalvexHighscores::SubmitScore(const String& name, UInt32 pass, UInt32 frontier, UInt32 totalScore,
                                   UInt32 starSum, UInt32 levelTime, UInt32 zenScore, UInt32 zenStage, UInt32 zenTime)
{
    if (mRequest != nullptr)
        return;
    StartRequest(mServer + BuildSubmitQuery(name, pass, frontier, totalScore, starSum, levelTime, zenScore, zenStage,
                                            zenTime),
                 false);
}

Bool HalvexHighscores::GetResponse(String& reply)
{
    if (mRequest == nullptr)
        return false;
    if (mRequest->IsFailed()) {
        DestroyRequest();
        return false;
    }
    // The finished and failed flags hold for one step only, and a request that the platform
    // could not start goes back to idle with neither: an idle request has ended all the same,
    // with its reply when it has one.
    const Bool ended = mRequest->IsFinished() || !mRequest->IsBusy();
    if (!ended)
        return false;
    if (!mRequest->IsFinished() && !mRequest->HasData()) {
        DestroyRequest();
        return false;
    }
    Bool taken = true;
    if (mExpectList) {
        mExpectList = false;
        Parser parser(mEntries);
        if (!parser.Parse(mRequest->GetData())) {
            mEntries.SetCount(0);
            taken = false;
        }
    } else {
        const Data& data = mRequest->GetData();
        reply = String(reinterpret_cast<const char*>(data.GetData()), SInt32(data.GetSize()));
    }
    DestroyRequest();
    return taken;
}

Bool HalvexHighscores::CancelRequest()
{
    DestroyRequest();
    return true;
}

} // namespace App
} // namespace Vorn
