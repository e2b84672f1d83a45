// A Direct3D 9 device that draws nothing and counts its calls by method name, for tests of what
// the renderer's objects send to the device. Setters, draws, clears and scene brackets succeed;
// every other call fails and writes no result. Render states keep the last value set.
#pragma once

#include <d3d9.h>

#include <map>
#include <string>

namespace Vorn {
namespace Testing {

#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wunused-parameter"

class CountingD3d9Device : public IDirect3DDevice9
{
public:
    // Calls by method name, and SetRenderState calls and last values by state.
    std::map<std::string, int> mCalls;
    std::map<D3DRENDERSTATETYPE, int> mRenderStateSets;
    std::map<D3DRENDERSTATETYPE, DWORD> mRenderStates;

    int Calls(const char* name) const
    {
        auto it = mCalls.find(name);
        return it == mCalls.end() ? 0 : it->second;
    }
    void Clear()
    {
        mCalls.clear();
        mRenderStateSets.clear();
    }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void** object) override
    {
        *object = nullptr;
        return E_NOINTERFACE;
    }
    // Owned by the test: never freed through its count.
    ULONG STDMETHODCALLTYPE AddRef() override { return 1; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE SetRenderState(D3DRENDERSTATETYPE state, DWORD value) override
    {
        Count("SetRenderState");
        ++mRenderStateSets[state];
        mRenderStates[state] = value;
        return D3D_OK;
    }
    HRESULT STDMETHODCALLTYPE GetRenderState(D3DRENDERSTATETYPE state, DWORD* value) override
    {
        Count("GetRenderState");
        *value = mRenderStates[state];
        return D3D_OK;
    }
    HRESULT STDMETHODCALLTYPE TestCooperativeLevel() override { return Count("TestCooperativeLevel"), D3DERR_INVALIDCALL; }
    UINT STDMETHODCALLTYPE GetAvailableTextureMem() override { return Count("GetAvailableTextureMem"), UINT(); }
    HRESULT STDMETHODCALLTYPE EvictManagedResources() override { return Count("EvictManagedResources"), D3DERR_INVALIDCALL; }
    HRESULT STDMETHODCALLTYPE GetDirect3D(IDirect3D9** ppD3D9) override { return Count("GetDirect3D"), D3DERR_INVALIDCALL; }
    HRESULT STDMETHODCALLTYPE GetDeviceCaps(D3DCAPS9* pCaps) override { return Count("GetDeviceCaps"), D3DERR_INVALIDCALL; }
    HRESULT STDMETHODCALLTYPE GetDisplayMode(UINT iSwapChain, D3DDISPLAYMODE* pMode) override { return Count("GetDisplayMode"), D3DERR_INVALIDCALL; }
    HRESULT STDMETHODCALLTYPE GetCreationParameters(D3DDEVICE_CREATION_PARAMETERS *pParameters) override { return Count("GetCreationParameters"), D3DERR_INVALIDCALL; }
    HRESULT STDMETHODCALLTYPE SetCursorProperties(UINT XHotSpot, UINT YHotSpot, IDirect3DSurface9* pCursorBitmap) override { return Count("SetCursorProperties"), D3D_OK; }
    void STDMETHODCALLTYPE SetCursorPosition(int X, int Y, DWORD Flags) override { Count("SetCursorPosition"); }
    WINBOOL STDMETHODCALLTYPE ShowCursor(WINBOOL bShow) override { return Count("ShowCursor"), WINBOOL(); }
    HRESULT STDMETHODCALLTYPE CreateAdditionalSwapChain(D3DPRESENT_PARAMETERS* pPresentationParameters, IDirect3DSwapChain9** pSwapChain) override { return Count("CreateAdditionalSwapChain"), D3DERR_INVALIDCALL; }
    HRESULT STDMETHODCALLTYPE GetSwapChain(UINT iSwapChain, IDirect3DSwapChain9** pSwapChain) override { return Count("GetSwapChain"), D3DERR_INVALIDCALL; }
    UINT STDMETHODCALLTYPE GetNumberOfSwapChains() override { return Count("GetNumberOfSwapChains"), UINT(); }
    HRESULT STDMETHODCALLTYPE Reset(D3DPRESENT_PARAMETERS* pPresentationParameters) override { return Count("Reset"), D3DERR_INVALIDCALL; }
    HRESULT STDMETHODCALLTYPE Present(const RECT *src_rect, const RECT *dst_rect, HWND dst_window_override, const RGNDATA *dirty_region) override { return Count("Present"), D3DERR_INVALIDCALL; }
    HRESULT STDMETHODCALLTYPE GetBackBuffer(UINT iSwapChain, UINT iBackBuffer, D3DBACKBUFFER_TYPE Type, IDirect3DSurface9** ppBackBuffer) override { return Count("GetBackBuffer"), D3DERR_INVALIDCALL; }
    HRESULT STDMETHODCALLTYPE GetRasterStatus(UINT iSwapChain, D3DRASTER_STATUS* pRasterStatus) override { return Count("GetRasterStatus"), D3DERR_INVALIDCALL; }
    HRESULT STDMETHODCALLTYPE SetDialogBoxMode(WINBOOL bEnableDialogs) override { return Count("SetDialogBoxMode"), D3D_OK; }
    void STDMETHODCALLTYPE SetGammaRamp(UINT swapchain_idx, DWORD flags, const D3DGAMMARAMP *ramp) override { Count("SetGammaRamp"); }
    void STDMETHODCALLTYPE GetGammaRamp(UINT iSwapChain, D3DGAMMARAMP* pRamp) override { Count("GetGammaRamp"); }
    HRESULT STDMETHODCALLTYPE CreateTexture(UINT Width, UINT Height, UINT Levels, DWORD Usage, D3DFORMAT Format, D3DPOOL Pool, IDirect3DTexture9** ppTexture, HANDLE* pSharedHandle) override { return Count("CreateTexture"), D3DERR_INVALIDCALL; }
    HRESULT STDMETHODCALLTYPE CreateVolumeTexture(UINT Width, UINT Height, UINT Depth, UINT Levels, DWORD Usage, D3DFORMAT Format, D3DPOOL Pool, IDirect3DVolumeTexture9** ppVolumeTexture, HANDLE* pSharedHandle) override { return Count("CreateVolumeTexture"), D3DERR_INVALIDCALL; }
    HRESULT STDMETHODCALLTYPE CreateCubeTexture(UINT EdgeLength, UINT Levels, DWORD Usage, D3DFORMAT Format, D3DPOOL Pool, IDirect3DCubeTexture9** ppCubeTexture, HANDLE* pSharedHandle) override { return Count("CreateCubeTexture"), D3DERR_INVALIDCALL; }
    HRESULT STDMETHODCALLTYPE CreateVertexBuffer(UINT Length, DWORD Usage, DWORD FVF, D3DPOOL Pool, IDirect3DVertexBuffer9** ppVertexBuffer, HANDLE* pSharedHandle) override { return Count("CreateVertexBuffer"), D3DERR_INVALIDCALL; }
    HRESULT STDMETHODCALLTYPE CreateIndexBuffer(UINT Length, DWORD Usage, D3DFORMAT Format, D3DPOOL Pool, IDirect3DIndexBuffer9** ppIndexBuffer, HANDLE* pSharedHandle) override { return Count("CreateIndexBuffer"), D3DERR_INVALIDCALL; }
    HRESULT STDMETHODCALLTYPE CreateRenderTarget(UINT Width, UINT Height, D3DFORMAT Format, D3DMULTISAMPLE_TYPE MultiSample, DWORD MultisampleQuality, WINBOOL Lockable, IDirect3DSurface9** ppSurface, HANDLE* pSharedHandle) override { return Count("CreateRenderTarget"), D3DERR_INVALIDCALL; }
    HRESULT STDMETHODCALLTYPE CreateDepthStencilSurface(UINT Width, UINT Height, D3DFORMAT Format, D3DMULTISAMPLE_TYPE MultiSample, DWORD MultisampleQuality, WINBOOL Discard, IDirect3DSurface9** ppSurface, HANDLE* pSharedHandle) override { return Count("CreateDepthStencilSurface"), D3DERR_INVALIDCALL; }
    HRESULT STDMETHODCALLTYPE UpdateSurface(IDirect3DSurface9 *src_surface, const RECT *src_rect, IDirect3DSurface9 *dst_surface, const POINT *dst_point) override { return Count("UpdateSurface"), D3DERR_INVALIDCALL; }
    HRESULT STDMETHODCALLTYPE UpdateTexture(IDirect3DBaseTexture9* pSourceTexture, IDirect3DBaseTexture9* pDestinationTexture) override { return Count("UpdateTexture"), D3DERR_INVALIDCALL; }
    HRESULT STDMETHODCALLTYPE GetRenderTargetData(IDirect3DSurface9* pRenderTarget, IDirect3DSurface9* pDestSurface) override { return Count("GetRenderTargetData"), D3DERR_INVALIDCALL; }
    HRESULT STDMETHODCALLTYPE GetFrontBufferData(UINT iSwapChain, IDirect3DSurface9* pDestSurface) override { return Count("GetFrontBufferData"), D3DERR_INVALIDCALL; }
    HRESULT STDMETHODCALLTYPE StretchRect(IDirect3DSurface9 *src_surface, const RECT *src_rect, IDirect3DSurface9 *dst_surface, const RECT *dst_rect, D3DTEXTUREFILTERTYPE filter) override { return Count("StretchRect"), D3DERR_INVALIDCALL; }
    HRESULT STDMETHODCALLTYPE ColorFill(IDirect3DSurface9 *surface, const RECT *rect, D3DCOLOR color) override { return Count("ColorFill"), D3DERR_INVALIDCALL; }
    HRESULT STDMETHODCALLTYPE CreateOffscreenPlainSurface(UINT Width, UINT Height, D3DFORMAT Format, D3DPOOL Pool, IDirect3DSurface9** ppSurface, HANDLE* pSharedHandle) override { return Count("CreateOffscreenPlainSurface"), D3DERR_INVALIDCALL; }
    HRESULT STDMETHODCALLTYPE SetRenderTarget(DWORD RenderTargetIndex, IDirect3DSurface9* pRenderTarget) override { return Count("SetRenderTarget"), D3D_OK; }
    HRESULT STDMETHODCALLTYPE GetRenderTarget(DWORD RenderTargetIndex, IDirect3DSurface9** ppRenderTarget) override { return Count("GetRenderTarget"), D3DERR_INVALIDCALL; }
    HRESULT STDMETHODCALLTYPE SetDepthStencilSurface(IDirect3DSurface9* pNewZStencil) override { return Count("SetDepthStencilSurface"), D3D_OK; }
    HRESULT STDMETHODCALLTYPE GetDepthStencilSurface(IDirect3DSurface9** ppZStencilSurface) override { return Count("GetDepthStencilSurface"), D3DERR_INVALIDCALL; }
    HRESULT STDMETHODCALLTYPE BeginScene() override { return Count("BeginScene"), D3D_OK; }
    HRESULT STDMETHODCALLTYPE EndScene() override { return Count("EndScene"), D3D_OK; }
    HRESULT STDMETHODCALLTYPE Clear(DWORD rect_count, const D3DRECT *rects, DWORD flags, D3DCOLOR color, float z, DWORD stencil) override { return Count("Clear"), D3D_OK; }
    HRESULT STDMETHODCALLTYPE SetTransform(D3DTRANSFORMSTATETYPE state, const D3DMATRIX *matrix) override { return Count("SetTransform"), D3D_OK; }
    HRESULT STDMETHODCALLTYPE GetTransform(D3DTRANSFORMSTATETYPE State, D3DMATRIX* pMatrix) override { return Count("GetTransform"), D3DERR_INVALIDCALL; }
    HRESULT STDMETHODCALLTYPE MultiplyTransform(D3DTRANSFORMSTATETYPE state, const D3DMATRIX *matrix) override { return Count("MultiplyTransform"), D3DERR_INVALIDCALL; }
    HRESULT STDMETHODCALLTYPE SetViewport(const D3DVIEWPORT9 *viewport) override { return Count("SetViewport"), D3D_OK; }
    HRESULT STDMETHODCALLTYPE GetViewport(D3DVIEWPORT9* pViewport) override { return Count("GetViewport"), D3DERR_INVALIDCALL; }
    HRESULT STDMETHODCALLTYPE SetMaterial(const D3DMATERIAL9 *material) override { return Count("SetMaterial"), D3D_OK; }
    HRESULT STDMETHODCALLTYPE GetMaterial(D3DMATERIAL9* pMaterial) override { return Count("GetMaterial"), D3DERR_INVALIDCALL; }
    HRESULT STDMETHODCALLTYPE SetLight(DWORD index, const D3DLIGHT9 *light) override { return Count("SetLight"), D3D_OK; }
    HRESULT STDMETHODCALLTYPE GetLight(DWORD Index, D3DLIGHT9*) override { return Count("GetLight"), D3DERR_INVALIDCALL; }
    HRESULT STDMETHODCALLTYPE LightEnable(DWORD Index, WINBOOL Enable) override { return Count("LightEnable"), D3D_OK; }
    HRESULT STDMETHODCALLTYPE GetLightEnable(DWORD Index, WINBOOL* pEnable) override { return Count("GetLightEnable"), D3DERR_INVALIDCALL; }
    HRESULT STDMETHODCALLTYPE SetClipPlane(DWORD index, const float *plane) override { return Count("SetClipPlane"), D3D_OK; }
    HRESULT STDMETHODCALLTYPE GetClipPlane(DWORD Index, float* pPlane) override { return Count("GetClipPlane"), D3DERR_INVALIDCALL; }
    HRESULT STDMETHODCALLTYPE CreateStateBlock(D3DSTATEBLOCKTYPE Type, IDirect3DStateBlock9** ppSB) override { return Count("CreateStateBlock"), D3DERR_INVALIDCALL; }
    HRESULT STDMETHODCALLTYPE BeginStateBlock() override { return Count("BeginStateBlock"), D3DERR_INVALIDCALL; }
    HRESULT STDMETHODCALLTYPE EndStateBlock(IDirect3DStateBlock9** ppSB) override { return Count("EndStateBlock"), D3DERR_INVALIDCALL; }
    HRESULT STDMETHODCALLTYPE SetClipStatus(const D3DCLIPSTATUS9 *clip_status) override { return Count("SetClipStatus"), D3D_OK; }
    HRESULT STDMETHODCALLTYPE GetClipStatus(D3DCLIPSTATUS9* pClipStatus) override { return Count("GetClipStatus"), D3DERR_INVALIDCALL; }
    HRESULT STDMETHODCALLTYPE GetTexture(DWORD Stage, IDirect3DBaseTexture9** ppTexture) override { return Count("GetTexture"), D3DERR_INVALIDCALL; }
    HRESULT STDMETHODCALLTYPE SetTexture(DWORD Stage, IDirect3DBaseTexture9* pTexture) override { return Count("SetTexture"), D3D_OK; }
    HRESULT STDMETHODCALLTYPE GetTextureStageState(DWORD Stage, D3DTEXTURESTAGESTATETYPE Type, DWORD* pValue) override { return Count("GetTextureStageState"), D3DERR_INVALIDCALL; }
    HRESULT STDMETHODCALLTYPE SetTextureStageState(DWORD Stage, D3DTEXTURESTAGESTATETYPE Type, DWORD Value) override { return Count("SetTextureStageState"), D3D_OK; }
    HRESULT STDMETHODCALLTYPE GetSamplerState(DWORD Sampler, D3DSAMPLERSTATETYPE Type, DWORD* pValue) override { return Count("GetSamplerState"), D3DERR_INVALIDCALL; }
    HRESULT STDMETHODCALLTYPE SetSamplerState(DWORD Sampler, D3DSAMPLERSTATETYPE Type, DWORD Value) override { return Count("SetSamplerState"), D3D_OK; }
    HRESULT STDMETHODCALLTYPE ValidateDevice(DWORD* pNumPasses) override { return Count("ValidateDevice"), D3DERR_INVALIDCALL; }
    HRESULT STDMETHODCALLTYPE SetPaletteEntries(UINT palette_idx, const PALETTEENTRY *entries) override { return Count("SetPaletteEntries"), D3D_OK; }
    HRESULT STDMETHODCALLTYPE GetPaletteEntries(UINT PaletteNumber, PALETTEENTRY* pEntries) override { return Count("GetPaletteEntries"), D3DERR_INVALIDCALL; }
    HRESULT STDMETHODCALLTYPE SetCurrentTexturePalette(UINT PaletteNumber) override { return Count("SetCurrentTexturePalette"), D3D_OK; }
    HRESULT STDMETHODCALLTYPE GetCurrentTexturePalette(UINT *PaletteNumber) override { return Count("GetCurrentTexturePalette"), D3DERR_INVALIDCALL; }
    HRESULT STDMETHODCALLTYPE SetScissorRect(const RECT *rect) override { return Count("SetScissorRect"), D3D_OK; }
    HRESULT STDMETHODCALLTYPE GetScissorRect(RECT* pRect) override { return Count("GetScissorRect"), D3DERR_INVALIDCALL; }
    HRESULT STDMETHODCALLTYPE SetSoftwareVertexProcessing(WINBOOL bSoftware) override { return Count("SetSoftwareVertexProcessing"), D3D_OK; }
    WINBOOL STDMETHODCALLTYPE GetSoftwareVertexProcessing() override { return Count("GetSoftwareVertexProcessing"), WINBOOL(); }
    HRESULT STDMETHODCALLTYPE SetNPatchMode(float nSegments) override { return Count("SetNPatchMode"), D3D_OK; }
    float STDMETHODCALLTYPE GetNPatchMode() override { return Count("GetNPatchMode"), float(); }
    HRESULT STDMETHODCALLTYPE DrawPrimitive(D3DPRIMITIVETYPE PrimitiveType, UINT StartVertex, UINT PrimitiveCount) override { return Count("DrawPrimitive"), D3D_OK; }
    HRESULT STDMETHODCALLTYPE DrawIndexedPrimitive(D3DPRIMITIVETYPE, INT BaseVertexIndex, UINT MinVertexIndex, UINT NumVertices, UINT startIndex, UINT primCount) override { return Count("DrawIndexedPrimitive"), D3D_OK; }
    HRESULT STDMETHODCALLTYPE DrawPrimitiveUP(D3DPRIMITIVETYPE primitive_type, UINT primitive_count, const void *data, UINT stride) override { return Count("DrawPrimitiveUP"), D3D_OK; }
    HRESULT STDMETHODCALLTYPE DrawIndexedPrimitiveUP(D3DPRIMITIVETYPE primitive_type, UINT min_vertex_idx, UINT vertex_count, UINT primitive_count, const void *index_data, D3DFORMAT index_format, const void *data, UINT stride) override { return Count("DrawIndexedPrimitiveUP"), D3D_OK; }
    HRESULT STDMETHODCALLTYPE ProcessVertices(UINT SrcStartIndex, UINT DestIndex, UINT VertexCount, IDirect3DVertexBuffer9* pDestBuffer, IDirect3DVertexDeclaration9* pVertexDecl, DWORD Flags) override { return Count("ProcessVertices"), D3DERR_INVALIDCALL; }
    HRESULT STDMETHODCALLTYPE CreateVertexDeclaration(const D3DVERTEXELEMENT9 *elements, IDirect3DVertexDeclaration9 **declaration) override { return Count("CreateVertexDeclaration"), D3DERR_INVALIDCALL; }
    HRESULT STDMETHODCALLTYPE SetVertexDeclaration(IDirect3DVertexDeclaration9* pDecl) override { return Count("SetVertexDeclaration"), D3D_OK; }
    HRESULT STDMETHODCALLTYPE GetVertexDeclaration(IDirect3DVertexDeclaration9** ppDecl) override { return Count("GetVertexDeclaration"), D3DERR_INVALIDCALL; }
    HRESULT STDMETHODCALLTYPE SetFVF(DWORD FVF) override { return Count("SetFVF"), D3D_OK; }
    HRESULT STDMETHODCALLTYPE GetFVF(DWORD* pFVF) override { return Count("GetFVF"), D3DERR_INVALIDCALL; }
    HRESULT STDMETHODCALLTYPE CreateVertexShader(const DWORD *byte_code, IDirect3DVertexShader9 **shader) override { return Count("CreateVertexShader"), D3DERR_INVALIDCALL; }
    HRESULT STDMETHODCALLTYPE SetVertexShader(IDirect3DVertexShader9* pShader) override { return Count("SetVertexShader"), D3D_OK; }
    HRESULT STDMETHODCALLTYPE GetVertexShader(IDirect3DVertexShader9** ppShader) override { return Count("GetVertexShader"), D3DERR_INVALIDCALL; }
    HRESULT STDMETHODCALLTYPE SetVertexShaderConstantF(UINT reg_idx, const float *data, UINT count) override { return Count("SetVertexShaderConstantF"), D3D_OK; }
    HRESULT STDMETHODCALLTYPE GetVertexShaderConstantF(UINT StartRegister, float* pConstantData, UINT Vector4fCount) override { return Count("GetVertexShaderConstantF"), D3DERR_INVALIDCALL; }
    HRESULT STDMETHODCALLTYPE SetVertexShaderConstantI(UINT reg_idx, const int *data, UINT count) override { return Count("SetVertexShaderConstantI"), D3D_OK; }
    HRESULT STDMETHODCALLTYPE GetVertexShaderConstantI(UINT StartRegister, int* pConstantData, UINT Vector4iCount) override { return Count("GetVertexShaderConstantI"), D3DERR_INVALIDCALL; }
    HRESULT STDMETHODCALLTYPE SetVertexShaderConstantB(UINT reg_idx, const WINBOOL *data, UINT count) override { return Count("SetVertexShaderConstantB"), D3D_OK; }
    HRESULT STDMETHODCALLTYPE GetVertexShaderConstantB(UINT StartRegister, WINBOOL* pConstantData, UINT BoolCount) override { return Count("GetVertexShaderConstantB"), D3DERR_INVALIDCALL; }
    HRESULT STDMETHODCALLTYPE SetStreamSource(UINT StreamNumber, IDirect3DVertexBuffer9* pStreamData, UINT OffsetInBytes, UINT Stride) override { return Count("SetStreamSource"), D3D_OK; }
    HRESULT STDMETHODCALLTYPE GetStreamSource(UINT StreamNumber, IDirect3DVertexBuffer9** ppStreamData, UINT* OffsetInBytes, UINT* pStride) override { return Count("GetStreamSource"), D3DERR_INVALIDCALL; }
    HRESULT STDMETHODCALLTYPE SetStreamSourceFreq(UINT StreamNumber, UINT Divider) override { return Count("SetStreamSourceFreq"), D3D_OK; }
    HRESULT STDMETHODCALLTYPE GetStreamSourceFreq(UINT StreamNumber, UINT* Divider) override { return Count("GetStreamSourceFreq"), D3DERR_INVALIDCALL; }
    HRESULT STDMETHODCALLTYPE SetIndices(IDirect3DIndexBuffer9* pIndexData) override { return Count("SetIndices"), D3D_OK; }
    HRESULT STDMETHODCALLTYPE GetIndices(IDirect3DIndexBuffer9** ppIndexData) override { return Count("GetIndices"), D3DERR_INVALIDCALL; }
    HRESULT STDMETHODCALLTYPE CreatePixelShader(const DWORD *byte_code, IDirect3DPixelShader9 **shader) override { return Count("CreatePixelShader"), D3DERR_INVALIDCALL; }
    HRESULT STDMETHODCALLTYPE SetPixelShader(IDirect3DPixelShader9* pShader) override { return Count("SetPixelShader"), D3D_OK; }
    HRESULT STDMETHODCALLTYPE GetPixelShader(IDirect3DPixelShader9** ppShader) override { return Count("GetPixelShader"), D3DERR_INVALIDCALL; }
    HRESULT STDMETHODCALLTYPE SetPixelShaderConstantF(UINT reg_idx, const float *data, UINT count) override { return Count("SetPixelShaderConstantF"), D3D_OK; }
    HRESULT STDMETHODCALLTYPE GetPixelShaderConstantF(UINT StartRegister, float* pConstantData, UINT Vector4fCount) override { return Count("GetPixelShaderConstantF"), D3DERR_INVALIDCALL; }
    HRESULT STDMETHODCALLTYPE SetPixelShaderConstantI(UINT reg_idx, const int *data, UINT count) override { return Count("SetPixelShaderConstantI"), D3D_OK; }
    HRESULT STDMETHODCALLTYPE GetPixelShaderConstantI(UINT StartRegister, int* pConstantData, UINT Vector4iCount) override { return Count("GetPixelShaderConstantI"), D3DERR_INVALIDCALL; }
    HRESULT STDMETHODCALLTYPE SetPixelShaderConstantB(UINT reg_idx, const WINBOOL *data, UINT count) override { return Count("SetPixelShaderConstantB"), D3D_OK; }
    HRESULT STDMETHODCALLTYPE GetPixelShaderConstantB(UINT StartRegister, WINBOOL* pConstantData, UINT BoolCount) override { return Count("GetPixelShaderConstantB"), D3DERR_INVALIDCALL; }
    HRESULT STDMETHODCALLTYPE DrawRectPatch(UINT handle, const float *segment_count, const D3DRECTPATCH_INFO *patch_info) override { return Count("DrawRectPatch"), D3DERR_INVALIDCALL; }
    HRESULT STDMETHODCALLTYPE DrawTriPatch(UINT handle, const float *segment_count, const D3DTRIPATCH_INFO *patch_info) override { return Count("DrawTriPatch"), D3DERR_INVALIDCALL; }
    HRESULT STDMETHODCALLTYPE DeletePatch(UINT Handle) override { return Count("DeletePatch"), D3DERR_INVALIDCALL; }
    HRESULT STDMETHODCALLTYPE CreateQuery(D3DQUERYTYPE Type, IDirect3DQuery9** ppQuery) override { return Count("CreateQuery"), D3DERR_INVALIDCALL; }

private:
    int Count(const char* name) { return ++mCalls[name]; }
};

#pragma GCC diagnostic pop

} // namespace Testing
} // namespace Vorn
