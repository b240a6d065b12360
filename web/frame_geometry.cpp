#include "web/frame_geometry.h"

namespace {

// A polygon's vertices in OpenGL's order round its edge, from a run's vertex list.
void addPolygon(Batch& batch, const std::vector<PageVertex>& run, std::initializer_list<std::size_t> order)
{
    batch.polygonStarts.push_back(static_cast<std::uint32_t>(batch.vertices.size()));
    for (std::size_t i : order) batch.vertices.push_back(run[i]);
}

std::size_t polygonEnd(const Batch& batch, std::size_t p)
{
    return p + 1 < batch.polygonStarts.size() ? batch.polygonStarts[p + 1] : batch.vertices.size();
}

void addEdges(const Batch& batch, std::size_t p, std::vector<std::uint32_t>& out)
{
    const std::uint32_t first = batch.polygonStarts[p];
    const std::uint32_t end = static_cast<std::uint32_t>(polygonEnd(batch, p));
    for (std::uint32_t i = first; i < end; ++i) {
        out.push_back(i);
        out.push_back(i + 1 < end ? i + 1 : first);
    }
}

}  // namespace

void addMesh(Batch& batch, const Mesh& mesh, const Mat4& matrix, CurrentVertexState& current,
             bool givesTexCoords)
{
    const std::array<float, 9> turn = normalMatrix(matrix);
    for (const MeshRun& run : mesh) {
        std::vector<PageVertex> placed;
        for (const MeshVertex& v : run.vertices) {
            if (run.hasNormals)
                for (int i = 0; i < 3; ++i) current.normal[i] = v.normal[i];
            if (givesTexCoords)
                for (int i = 0; i < 2; ++i) current.texCoord[i] = static_cast<float>(v.texCoord[i]);
            const double p[4] = {v.position[0], v.position[1], v.position[2], 1.0};
            double w[4];
            transform(matrix, p, w);
            PageVertex out{};
            for (int i = 0; i < 3; ++i) {
                out.position[i] = static_cast<float>(w[i] / w[3]);
                out.normal[i] = turn[i] * current.normal[0] + turn[3 + i] * current.normal[1] +
                                turn[6 + i] * current.normal[2];
            }
            out.texCoord[0] = current.texCoord[0];
            out.texCoord[1] = current.texCoord[1];
            placed.push_back(out);
        }
        const std::size_t n = placed.size();
        switch (run.primitive) {
        case Primitive::quadStrip:
            for (std::size_t i = 0; i + 3 < n; i += 2) addPolygon(batch, placed, {i, i + 1, i + 3, i + 2});
            break;
        case Primitive::triangleFan:
            for (std::size_t i = 1; i + 1 < n; ++i) addPolygon(batch, placed, {0, i, i + 1});
            break;
        case Primitive::quads:
            for (std::size_t i = 0; i + 3 < n; i += 4) addPolygon(batch, placed, {i, i + 1, i + 2, i + 3});
            break;
        case Primitive::triangleStrip:
            // Every other triangle turns back, so that all keep the strip's facing.
            for (std::size_t i = 0; i + 2 < n; ++i)
                if (i % 2 == 0) addPolygon(batch, placed, {i, i + 1, i + 2});
                else addPolygon(batch, placed, {i + 1, i, i + 2});
            break;
        case Primitive::triangles:
            for (std::size_t i = 0; i + 2 < n; i += 3) addPolygon(batch, placed, {i, i + 1, i + 2});
            break;
        }
    }
}

std::vector<std::uint32_t> triangleIndices(const Batch& batch)
{
    std::vector<std::uint32_t> out;
    for (std::size_t p = 0; p < batch.polygonStarts.size(); ++p) {
        const std::uint32_t first = batch.polygonStarts[p];
        const std::size_t end = polygonEnd(batch, p);
        for (std::uint32_t i = first + 1; i + 1 < end; ++i) {
            out.push_back(first);
            out.push_back(i);
            out.push_back(i + 1);
        }
    }
    return out;
}

std::vector<std::uint32_t> edgeIndices(const Batch& batch)
{
    std::vector<std::uint32_t> out;
    for (std::size_t p = 0; p < batch.polygonStarts.size(); ++p) addEdges(batch, p, out);
    return out;
}

std::vector<std::uint32_t> frontEdgeIndices(const Batch& batch, const Mat4& mvp)
{
    std::vector<std::uint32_t> out;
    std::vector<double> x, y;
    for (std::size_t p = 0; p < batch.polygonStarts.size(); ++p) {
        x.clear();
        y.clear();
        for (std::size_t i = batch.polygonStarts[p]; i < polygonEnd(batch, p); ++i) {
            const PageVertex& v = batch.vertices[i];
            const double in[4] = {v.position[0], v.position[1], v.position[2], 1.0};
            double clip[4];
            transform(mvp, in, clip);
            x.push_back(clip[0] / clip[3]);
            y.push_back(clip[1] / clip[3]);
        }
        // OpenGL's facing: the sign of the polygon's area in window coordinates.
        double area = 0.0;
        for (std::size_t i = 0; i < x.size(); ++i) {
            const std::size_t j = (i + 1) % x.size();
            area += x[i] * y[j] - x[j] * y[i];
        }
        if (area > 0.0) addEdges(batch, p, out);
    }
    return out;
}
