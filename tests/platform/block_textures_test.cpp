// The block textures as the world drawing uses them: the solid pass draws
// without dropping empty texels, which is only the same picture as long as
// no texture a solid face can show has any.
#include <gtest/gtest.h>

#include <set>

#include "platform/embedded_assets.h"
#include "platform/sdl/image_decode.h"
#include "render/block_faces.h"
#include "world/block_types.h"

TEST(BlockTextures, NoTextureOfASolidFaceHasEmptyTexels) {
    std::set<int> used;
    for (int type = 1; type < 256; ++type)
        for (int aux = 0; aux < 256; ++aux)
            for (int face = 0; face < kFaceCount; ++face)
                if (type != block::Torch && type != block::Glass)
                    used.insert(faceTexture(uint8_t(type), uint8_t(aux), face));
    for (int texture : used) {
        // Texture n is bitmap n + 1, except the last, which is bitmap 0.
        const int resource = texture == 103 ? 0 : texture + 1;
        const embedded::Blob blob = embedded::bitmap(resource);
        sdlplat::Image image;
        ASSERT_TRUE(sdlplat::decodeImage(blob.data, blob.size, image)) << texture;
        for (size_t i = 3; i < image.rgba.size(); i += 4)
            ASSERT_EQ(image.rgba[i], 255) << "texture " << texture << " has an empty texel";
    }
}
